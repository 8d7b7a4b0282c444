#pragma once

#include <QString>
#include <QStringView>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Number-to-text and text-to-number rules shared by the readers, the tables and the settings.
namespace qor::numbers {

// Text of a recorded double: up to 15 significant digits, "." as decimal point, no zero before the
// point below 1 (".25", "-.25"), no trailing zeros, exponent form for very large or small magnitudes
// ("1E+20", "1.5E-05"). Values that are no numbers read "NaN", "Inf" and "-Inf".
QString valueText(double value);

// Whether a zero stands before the decimal point of a magnitude below 1 ("0.25" instead of ".25").
enum class LeadingZero { No, Yes };
// Room that writeValueText needs at `out`.
inline constexpr std::size_t MaxValueTextSize = 32;
// Writes the value text of `value` (the rule of valueText) to `out` and returns the end of it; with
// LeadingZero::Yes a magnitude below 1 keeps the zero before its point. Fast enough for exports of
// hundreds of millions of values.
char* writeValueText(char* out, double value, LeadingZero zero);

// Fixed-point text with the given number of decimals (0 to 15) as the "0.00" style patterns give it:
// the value is taken to 15 significant digits and rounded half away from zero; at least one integer
// digit; a minus sign on every negative value, even when it rounds to zero.
std::string fixedText(double value, int decimals);

// A statistic as the pattern "###0.0#" writes it: rounded half away from zero to two decimals, a
// second decimal only when it is not zero, no thousands separator ("12.5", "12.25", "-3.0").
QString statisticText(double value);

// Scaling of a raw 16-bit recorder value into engineering units, as the .DAT files define it.
struct ChannelScale {
    double fullScale = 0; // engineering value at raw 30000, in units of the last decimal place
    double zeroValue = 0; // engineering value at raw 0, same units
    int decimals = 0;     // number of decimal places; a negative count acts as 0

    // Decimal places that the scaled text shows (the text keeps at most six).
    int shownDecimals() const;
    // False when 10^decimals is beyond the range of a double, so no value can be scaled.
    bool isUsable() const;
};
// Scaled text of a raw value: rounded half away from zero to whole units, formatted with six
// decimals and cut after the shown decimals ("123." when there are none).
std::string scaledText(std::int16_t raw, const ChannelScale& scale);
// Output percentage of a raw value (30000 = 100 %), one decimal.
std::string percentText(std::int16_t raw);

// The value of a number written as text: optional blanks around it, an optional sign, decimal digits
// with an optional point and exponent. Anything else, an empty text included, is no number (nullopt).
std::optional<double> parseNumber(std::string_view text);
std::optional<double> parseNumber(QStringView text);

// The leading-number rule of the settings file: blanks, tabs and line feeds anywhere are ignored;
// an optional sign, digits, one decimal point and an exponent are taken; "&H" and "&O" read
// hexadecimal and octal; the first other character ends the number; no number at all gives 0.
double leadingNumber(QStringView text);

// Rounds to the nearest integer, halves to the even neighbour; nullopt when the result does not fit.
std::optional<std::int16_t> toInt16(double value);
std::optional<std::int32_t> toInt32(double value);

} // namespace qor::numbers
