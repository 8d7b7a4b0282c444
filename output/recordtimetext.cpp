#include "recordtimetext.h"

#include <algorithm>
#include <stdexcept>

namespace qor::output {

namespace {

constexpr std::int64_t SecondsPerDay = 86400;
// The longest date text: a year of up to seven characters (a sign included), then "-mm-dd".
constexpr std::size_t MaxDateSize = 13;
// " h:mm:ss" after the designator, with the blank before the designator.
constexpr std::size_t ClockSize = 10;

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

char* twoDigits(char* out, int value)
{
    *out++ = static_cast<char>('0' + value / 10);
    *out++ = static_cast<char>('0' + value % 10);
    return out;
}

} // namespace

RecordTimeText::RecordTimeText(const datetime::AmPm& amPm)
    : m_am(amPm.am.toStdString())
    , m_pm(amPm.pm.toStdString())
{
}

std::size_t RecordTimeText::maxSize() const
{
    return MaxDateSize + std::max(m_am.size(), m_pm.size()) + ClockSize;
}

char* RecordTimeText::write(char* out, std::int64_t seconds)
{
    const std::int64_t day = floorDiv(seconds, SecondsPerDay);
    if (day != m_day) {
        m_day = day;
        m_date = datetime::format(datetime::serialFromSeconds(day * SecondsPerDay), u"yyyy-mm-dd").toStdString();
        // Record times are 32-bit offsets from a four-digit year; only a corrupt time gets here.
        if (m_date.size() > MaxDateSize)
            throw std::length_error("a record time lies beyond the years that can be written");
    }
    out = std::copy(m_date.begin(), m_date.end(), out);
    const auto secondOfDay = static_cast<int>(seconds - day * SecondsPerDay);
    if (secondOfDay == 0)
        return out;
    const int hour = secondOfDay / 3600;
    const std::string& designator = hour < 12 ? m_am : m_pm;
    *out++ = ' ';
    out = std::copy(designator.begin(), designator.end(), out);
    *out++ = ' ';
    const int clockHour = hour % 12 == 0 ? 12 : hour % 12;
    if (clockHour >= 10)
        *out++ = '1';
    *out++ = static_cast<char>('0' + clockHour % 10);
    *out++ = ':';
    out = twoDigits(out, secondOfDay / 60 % 60);
    *out++ = ':';
    return twoDigits(out, secondOfDay % 60);
}

} // namespace qor::output
