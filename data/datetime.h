#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// Date serials: days since 1899-12-30 as a double, the fraction being the time of day. Recorded
// times are whole seconds, so every helper here works through a whole count of seconds; a serial
// made by these helpers converts back to exactly the seconds it was made from.
namespace qor::datetime {

inline constexpr std::int64_t SecondsPerDay = 86400;

// Calendar date to serial; months and days outside their ranges roll over into the neighbouring
// months and years (month 13 is January of the following year, day 0 the last day of the month before).
double dateSerial(std::int64_t year, std::int64_t month, std::int64_t day);
// Days since 1899-12-30 of a valid proleptic Gregorian date.
std::int64_t dayNumber(std::int64_t year, unsigned month, unsigned day);

// The days of month 1..12 of the year.
unsigned daysInMonth(std::int64_t year, int month);

double serialFromSeconds(std::int64_t seconds);
std::int64_t secondsFromSerial(double serial); // rounded to the nearest whole second
double addSeconds(double serial, std::int64_t seconds);
std::int64_t wholeSecondsBetween(double from, double to);

struct DateTimeParts {
    std::int64_t year = 1899;
    int month = 12, day = 30, hour = 0, minute = 0, second = 0;
};
DateTimeParts partsOf(double serial);

// The designators that the general date-and-time text puts before the clock time.
struct AmPm {
    QString am;
    QString pm;
};
// Designators of an interface language ("KOR", "ENG", "CHR"); English for any other code.
AmPm amPmFor(QStringView langCode);

// Formats with the date patterns the program uses: "yyyy", "mm", "dd", "hh", "h", "nn", "ss",
// "hhhh" (hours elapsed since date zero, for relative time axes) and "AMPM" (12-hour clock with the
// given designators). As in the classic date patterns, "mm" right after an hour field means minutes.
// Any other character is copied as it stands.
QString format(double serial, QStringView pattern, const AmPm& amPm = {});

// The minute named by "yyyy/mm/dd hh:mm" (any one character between the date's fields), as a search
// box assembles it; nullopt unless every field is there and names a real date and a time of day.
std::optional<double> minuteFromText(QStringView text);

// "yyyy-mm-dd hh:nn:ss", the 24-hour form used in files and command-line output.
QString isoText(double serial);
// The general date-and-time text: "yyyy-mm-dd AMPM h:mm:ss", or the date alone at midnight.
QString generalText(double serial, const AmPm& amPm);

} // namespace qor::datetime
