#include "numbertext.h"

#include <QLatin1StringView>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace qor::numbers {

namespace {

constexpr int SignificantDigits = 15;
constexpr int MaxDecimalExponent = 308;

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The value's decimal digits to 15 significant places and the power of ten of the first digit.
struct DecimalDigits {
    std::array<int, SignificantDigits> digit{};
    int exponent = 0;
};

DecimalDigits decimalDigits(double magnitude)
{
    std::array<char, 40> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.*e", SignificantDigits - 1, magnitude);
    DecimalDigits out;
    int n = 0;
    const char* p = buffer.data();
    for (; *p != 'e'; ++p) {
        if (*p >= '0' && *p <= '9')
            out.digit[static_cast<std::size_t>(n++)] = *p - '0';
    }
    out.exponent = std::atoi(p + 1);
    return out;
}

// Rounds half away from zero to `decimals` places; returns the kept digits, most significant first,
// and how many of them stand before the point.
std::string roundedDigits(double magnitude, int decimals, int& integerDigits)
{
    if (magnitude == 0) {
        integerDigits = 1;
        return std::string(static_cast<std::size_t>(decimals + 1), '0');
    }
    const DecimalDigits d = decimalDigits(magnitude);
    // Digit positions: index 0 has weight 10^exponent. Keep every digit down to 10^-decimals.
    const int kept = d.exponent + decimals + 1;
    std::string digits;
    for (int i = 0; i < kept; ++i)
        digits.push_back(static_cast<char>('0' + (i < SignificantDigits && i >= 0 ? d.digit[static_cast<std::size_t>(i)] : 0)));
    integerDigits = d.exponent + 1;
    const bool roundUp = kept >= 0 && kept < SignificantDigits && d.digit[static_cast<std::size_t>(kept)] >= 5;
    if (roundUp) {
        int i = kept - 1;
        for (; i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i)
            digits[static_cast<std::size_t>(i)] = '0';
        if (i >= 0)
            ++digits[static_cast<std::size_t>(i)];
        else {
            digits.insert(digits.begin(), '1');
            ++integerDigits;
        }
    }
    // Pad small magnitudes with the zeros before their first digit.
    if (integerDigits < 1) {
        digits.insert(0, static_cast<std::size_t>(1 - integerDigits), '0');
        integerDigits = 1;
    }
    return digits.substr(0, static_cast<std::size_t>(integerDigits + decimals));
}

double powerOfTen(int exponent)
{
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "1e%d", exponent);
    return std::strtod(buffer.data(), nullptr);
}

std::optional<double> parseTrimmed(std::string_view s)
{
    if (s.empty())
        return std::nullopt;
    std::size_t start = (s.front() == '+' || s.front() == '-') ? 1 : 0;
    if (start == s.size() || !(std::isdigit(static_cast<unsigned char>(s[start])) || s[start] == '.'))
        return std::nullopt;
    double value = 0;
    const char* first = s.data() + (s.front() == '+' ? 1 : 0);
    const auto [end, error] = std::from_chars(first, s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size())
        return std::nullopt;
    return value;
}

} // namespace

QString valueText(double value)
{
    std::array<char, MaxValueTextSize> buffer{};
    const char* end = writeValueText(buffer.data(), value, LeadingZero::No);
    return QString::fromLatin1(buffer.data(), end - buffer.data());
}

namespace {

char* copyText(char* out, std::string_view text)
{
    return std::copy(text.begin(), text.end(), out);
}

// The digits of a magnitude rounded to 15 significant places, trailing zeros dropped, and the
// power of ten of the first digit.
struct SignificantText {
    std::array<char, SignificantDigits> digits{};
    int count = 0;
    int exponent = 0;
};

void dropTrailingZeros(SignificantText& text)
{
    while (text.count > 1 && text.digits[static_cast<std::size_t>(text.count - 1)] == '0')
        --text.count;
}

// Reads the digits and exponent of a scientific text of 15 digits ("1.23450000000000e+02").
void readScientific(const char* first, const char* last, SignificantText& out)
{
    out.count = 0;
    const char* p = first;
    for (; p != last && *p != 'e'; ++p) {
        if (*p != '.')
            out.digits[static_cast<std::size_t>(out.count++)] = *p;
    }
    std::from_chars(p + (p[1] == '+' ? 2 : 1), last, out.exponent);
    dropTrailingZeros(out);
}

// Powers of ten that a double holds exactly.
constexpr std::array<double, 23> ExactPowersOfTen = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                                     1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr double SmallestScaled = 1e14; // 15 digits before the point
constexpr double BeyondScaled = 1e15;

// The eight decimal digits of `number` (below 10^8, leading zeros included) as eight characters
// in one word, the first digit in its lowest byte, so that they are stored at once.
std::uint64_t eightDigits(std::uint32_t number)
{
    static_assert(std::endian::native == std::endian::little);
    static constexpr char Pairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                                    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                                    "8081828384858687888990919293949596979899";
    std::uint64_t text = 0;
    for (int pair = 3; pair >= 0; --pair, number /= 100) {
        std::uint16_t two = 0;
        std::memcpy(&two, Pairs + 2 * (number % 100), 2);
        text |= std::uint64_t{two} << (16 * pair);
    }
    return text;
}

// How many of the last characters of a word of eight digits are "0".
int trailingZeroDigits(std::uint64_t text)
{
    constexpr std::uint64_t Zeros = 0x3030303030303030;
    const std::uint64_t differs = text ^ Zeros;
    return differs == 0 ? 8 : std::countl_zero(differs) / 8;
}

// Writes the digits of a number in [10^14, 10^15) as two independent halves of seven and eight
// digits, which keeps the chain of divisions short, and counts them without trailing zeros.
void writeFifteenDigits(SignificantText& out, std::uint64_t number)
{
    constexpr std::uint64_t Half = 100'000'000;
    const std::uint64_t high = eightDigits(static_cast<std::uint32_t>(number / Half)) >> 8; // its first digit is 0
    const std::uint64_t low = eightDigits(static_cast<std::uint32_t>(number % Half));
    std::memcpy(out.digits.data(), &high, 8);
    std::memcpy(out.digits.data() + 7, &low, 8);
    const int lowZeros = trailingZeroDigits(low);
    out.count = SignificantDigits - (lowZeros < 8 ? lowZeros : 8 + trailingZeroDigits(high | (std::uint64_t{'0'} << 56)) - 1);
}

// A first guess of the power of ten of a positive double's first digit, from its binary exponent
// (floor of exponent * log10(2), as 78913 / 2^18 gives it); at most one too small.
int decimalExponentGuess(double magnitude)
{
    const auto binary = static_cast<int>((std::bit_cast<std::uint64_t>(magnitude) >> 52) & 0x7ff) - 1023;
    return (binary * 78913) >> 18;
}

// The digits of a magnitude rounded to 15 places, the way printf rounds them: the magnitude times
// an exact power of ten lands in [10^14, 10^15), and fma gives what that product lost to rounding,
// so the product's integer part and the side of one half that its fraction lies on are exact. Only
// first digits at powers of ten -8 to 14 have such a scale; nullopt for the others and for an exact
// half, which printf rounds to the even digit (false then).
bool scaledDigits(double magnitude, SignificantText& out)
{
    int scale = SignificantDigits - 1 - decimalExponentGuess(magnitude);
    for (int tries = 0; tries < 3; ++tries) {
        if (scale < 0 || scale >= static_cast<int>(ExactPowersOfTen.size()))
            return false;
        const double power = ExactPowersOfTen[static_cast<std::size_t>(scale)];
        const double product = magnitude * power;
        if (product >= BeyondScaled || product < SmallestScaled) {
            scale += product < SmallestScaled ? 1 : -1;
            continue;
        }
        const double lost = std::fma(magnitude, power, -product);
        auto whole = static_cast<std::uint64_t>(product);
        const double fraction = product - static_cast<double>(whole);
        if (fraction == 0.5 && lost == 0)
            return false;
        if (fraction > 0.5 || (fraction == 0.5 && lost > 0))
            ++whole;
        out.exponent = SignificantDigits - 1 - scale;
        if (whole == static_cast<std::uint64_t>(BeyondScaled)) {
            whole /= 10;
            ++out.exponent;
        }
        writeFifteenDigits(out, whole);
        return true;
    }
    return false;
}

SignificantText significantText(double magnitude)
{
    SignificantText out;
    if (scaledDigits(magnitude, out))
        return out;
    std::array<char, 40> buffer{};
    const auto rounded =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, std::chars_format::scientific, SignificantDigits - 1);
    readScientific(buffer.data(), rounded.ptr, out);
    return out;
}

char* writeExponentForm(char* out, const SignificantText& t)
{
    *out++ = t.digits[0];
    if (t.count > 1) {
        *out++ = '.';
        out = std::copy(t.digits.begin() + 1, t.digits.begin() + t.count, out);
    }
    *out++ = 'E';
    *out++ = t.exponent < 0 ? '-' : '+';
    const int magnitude = std::abs(t.exponent);
    if (magnitude < 10)
        *out++ = '0';
    return std::to_chars(out, out + 4, magnitude).ptr;
}

char* writePointForm(char* out, const SignificantText& t, LeadingZero zero)
{
    const char* digits = t.digits.data();
    if (t.exponent < 0) {
        if (zero == LeadingZero::Yes)
            *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, -t.exponent - 1, '0');
        return std::copy(digits, digits + t.count, out);
    }
    const int integerDigits = t.exponent + 1;
    if (t.count <= integerDigits) {
        out = std::copy(digits, digits + t.count, out);
        return std::fill_n(out, integerDigits - t.count, '0');
    }
    out = std::copy(digits, digits + integerDigits, out);
    *out++ = '.';
    return std::copy(digits + integerDigits, digits + t.count, out);
}

} // namespace

// The "%.15G" form: the point form for a first digit at powers of ten -4 to 14, else the exponent form.
char* writeValueText(char* out, double value, LeadingZero zero)
{
    if (std::isnan(value))
        return copyText(out, "NaN");
    if (std::isinf(value))
        return copyText(out, value > 0 ? "Inf" : "-Inf");
    if (value == 0)
        return copyText(out, "0");
    if (value < 0)
        *out++ = '-';
    const SignificantText t = significantText(std::fabs(value));
    if (t.exponent < -4 || t.exponent >= SignificantDigits)
        return writeExponentForm(out, t);
    return writePointForm(out, t, zero);
}

std::string fixedText(double value, int decimals)
{
    int integerDigits = 0;
    const std::string digits = roundedDigits(std::fabs(value), decimals, integerDigits);
    std::string out = value < 0 ? "-" : "";
    out.append(digits, 0, static_cast<std::size_t>(integerDigits));
    if (decimals > 0) {
        out.push_back('.');
        out.append(digits, static_cast<std::size_t>(integerDigits), std::string::npos);
    }
    return out;
}

QString statisticText(double value)
{
    std::string text = fixedText(value, 2);
    if (text.back() == '0')
        text.pop_back();
    return QString::fromLatin1(text);
}

int ChannelScale::shownDecimals() const
{
    return decimals < 0 ? 0 : std::min(decimals, 6);
}

bool ChannelScale::isUsable() const
{
    return decimals <= MaxDecimalExponent;
}

std::string scaledText(std::int16_t raw, const ChannelScale& scale)
{
    double units = scale.zeroValue + (scale.fullScale - scale.zeroValue) / 30000.0 * raw;
    units += units < 0 ? -0.5 : 0.5;
    const double value = units / powerOfTen(std::max(scale.decimals, 0));
    std::string text = fixedText(value, 6);
    const std::size_t point = text.find('.');
    text.resize(point + 1 + static_cast<std::size_t>(scale.shownDecimals()));
    return text;
}

std::string percentText(std::int16_t raw)
{
    return fixedText(raw / 30000.0 * 100.0, 1);
}

std::optional<double> parseNumber(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return parseTrimmed(text);
}

std::optional<double> parseNumber(QStringView text)
{
    const QByteArray latin = text.toLatin1();
    return parseNumber(std::string_view(latin.constData(), static_cast<std::size_t>(latin.size())));
}

namespace {

double radixNumber(QStringView digits, int radix)
{
    double value = 0;
    for (const QChar c : digits) {
        const char16_t u = c.toUpper().unicode();
        const int d = (u >= u'0' && u <= u'9') ? u - u'0' : (u >= u'A' && u <= u'Z') ? u - u'A' + 10 : radix;
        if (d >= radix)
            break;
        value = value * radix + d;
    }
    return value;
}

} // namespace

double leadingNumber(QStringView text)
{
    QString compact;
    for (const QChar c : text) {
        if (c != u' ' && c != u'\t' && c != u'\n')
            compact += c;
    }
    if (compact.startsWith(u"&H", Qt::CaseInsensitive))
        return radixNumber(QStringView(compact).mid(2), 16);
    if (compact.startsWith(u"&O", Qt::CaseInsensitive))
        return radixNumber(QStringView(compact).mid(2), 8);
    std::string number;
    qsizetype i = 0;
    if (i < compact.size() && (compact[i] == u'+' || compact[i] == u'-'))
        number.push_back(compact[i++].toLatin1());
    bool point = false;
    for (; i < compact.size(); ++i) {
        const QChar c = compact[i];
        if (c.isDigit() && c.unicode() < 128)
            number.push_back(c.toLatin1());
        else if (c == u'.' && !point) {
            point = true;
            number.push_back('.');
        } else
            break;
    }
    if (i < compact.size() && (compact[i] == u'E' || compact[i] == u'e' || compact[i] == u'D' || compact[i] == u'd')) {
        std::string exponent = "e";
        qsizetype j = i + 1;
        if (j < compact.size() && (compact[j] == u'+' || compact[j] == u'-'))
            exponent.push_back(compact[j++].toLatin1());
        const qsizetype digitsStart = j;
        while (j < compact.size() && compact[j].isDigit() && compact[j].unicode() < 128)
            exponent.push_back(compact[j++].toLatin1());
        if (j > digitsStart)
            number += exponent;
    }
    double value = 0;
    const char* begin = number.data() + (number.starts_with('+') ? 1 : 0);
    const auto result = std::from_chars(begin, number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return number.starts_with('-') ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    return result.ec == std::errc() ? value : 0.0;
}

namespace {

template <typename Int> std::optional<Int> roundedToEven(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double rounded = std::nearbyint(value); // the default rounding mode sends halves to even
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) || rounded > static_cast<double>(std::numeric_limits<Int>::max()))
        return std::nullopt;
    return static_cast<Int>(rounded);
}

} // namespace

std::optional<std::int16_t> toInt16(double value)
{
    return roundedToEven<std::int16_t>(value);
}

std::optional<std::int32_t> toInt32(double value)
{
    return roundedToEven<std::int32_t>(value);
}

} // namespace qor::numbers
