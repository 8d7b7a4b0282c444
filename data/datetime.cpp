#include "datetime.h"

#include "interfacelanguage.h"

#include <algorithm>
#include <cmath>

namespace qor::datetime {

namespace {

constexpr std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
constexpr std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = floorDiv(y, 400);
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct CivilDate {
    std::int64_t year;
    unsigned month, day;
};

CivilDate civilFromDays(std::int64_t z)
{
    z += 719468;
    const std::int64_t era = floorDiv(z, 146097);
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2 ? 1 : 0), m, d};
}

constexpr std::int64_t epochDays = daysFromCivil(1899, 12, 30);

QString padded(std::int64_t value, int width)
{
    return QString::number(value).rightJustified(width, u'0');
}

} // namespace

std::int64_t dayNumber(std::int64_t year, unsigned month, unsigned day)
{
    return daysFromCivil(year, month, day) - epochDays;
}

double dateSerial(std::int64_t year, std::int64_t month, std::int64_t day)
{
    const std::int64_t monthIndex = month - 1;
    const std::int64_t y = year + floorDiv(monthIndex, 12);
    const auto m = static_cast<unsigned>(monthIndex - floorDiv(monthIndex, 12) * 12 + 1);
    return static_cast<double>(dayNumber(y, m, 1) + day - 1);
}

double serialFromSeconds(std::int64_t seconds)
{
    return static_cast<double>(seconds) / static_cast<double>(SecondsPerDay);
}

std::int64_t secondsFromSerial(double serial)
{
    return std::llround(serial * static_cast<double>(SecondsPerDay));
}

double addSeconds(double serial, std::int64_t seconds)
{
    return serialFromSeconds(secondsFromSerial(serial) + seconds);
}

std::int64_t wholeSecondsBetween(double from, double to)
{
    return secondsFromSerial(to) - secondsFromSerial(from);
}

DateTimeParts partsOf(double serial)
{
    const std::int64_t seconds = secondsFromSerial(serial);
    const std::int64_t days = floorDiv(seconds, SecondsPerDay);
    const auto secondOfDay = static_cast<int>(seconds - days * SecondsPerDay);
    const CivilDate date = civilFromDays(days + epochDays);
    return {date.year,          static_cast<int>(date.month), static_cast<int>(date.day),
            secondOfDay / 3600, secondOfDay / 60 % 60,        secondOfDay % 60};
}

AmPm amPmFor(QStringView langCode)
{
    const InterfaceLanguage* language = interfaceLanguage(langCode);
    if (!language)
        language = interfaceLanguage(u"ENG");
    return {language->am.toString(), language->pm.toString()};
}

QString format(double serial, QStringView pattern, const AmPm& amPm)
{
    const DateTimeParts p = partsOf(serial);
    const bool twelveHour = pattern.contains(u"AMPM");
    const int clockHour = twelveHour ? (p.hour % 12 == 0 ? 12 : p.hour % 12) : p.hour;
    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < pattern.size();) {
        const QStringView rest = pattern.mid(i);
        auto take = [&](QStringView token, const QString& text, bool isHour) {
            if (!rest.startsWith(token))
                return false;
            out += text;
            afterHour = isHour;
            i += token.size();
            return true;
        };
        if (take(u"yyyy", padded(p.year, 4), false) || take(u"AMPM", p.hour < 12 ? amPm.am : amPm.pm, false) ||
            take(u"hhhh", padded(std::int64_t{floorDiv(secondsFromSerial(serial), 3600)}, 2), true) ||
            take(u"hh", padded(clockHour, 2), true) || take(u"h", QString::number(clockHour), true) ||
            take(u"mm", afterHour ? padded(p.minute, 2) : padded(p.month, 2), false) || take(u"nn", padded(p.minute, 2), false) ||
            take(u"dd", padded(p.day, 2), false) || take(u"ss", padded(p.second, 2), false))
            continue;
        out += pattern[i++];
        if (out.back() != u':')
            afterHour = false;
    }
    return out;
}

QString isoText(double serial)
{
    return format(serial, u"yyyy-mm-dd hh:nn:ss");
}

QString generalText(double serial, const AmPm& amPm)
{
    const DateTimeParts p = partsOf(serial);
    if (p.hour == 0 && p.minute == 0 && p.second == 0)
        return format(serial, u"yyyy-mm-dd");
    return format(serial, u"yyyy-mm-dd AMPM h:mm:ss", amPm);
}

unsigned daysInMonth(std::int64_t year, int month)
{
    static constexpr unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

std::optional<double> minuteFromText(QStringView text)
{
    if (text.size() != 16 || text[10] != u' ' || text[13] != u':')
        return std::nullopt;
    const auto field = [text](qsizetype from, qsizetype length) -> std::optional<int> {
        const QStringView digits = text.mid(from, length);
        if (!std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
            return std::nullopt;
        return digits.toInt();
    };
    const std::optional<int> year = field(0, 4), month = field(5, 2), day = field(8, 2), hour = field(11, 2), minute = field(14, 2);
    if (!year || !month || !day || !hour || !minute || *month < 1 || *month > 12 || *day < 1 ||
        static_cast<unsigned>(*day) > daysInMonth(*year, *month) || *hour > 23 || *minute > 59)
        return std::nullopt;
    return addSeconds(dateSerial(*year, *month, *day), *hour * 3600 + *minute * 60);
}

} // namespace qor::datetime
