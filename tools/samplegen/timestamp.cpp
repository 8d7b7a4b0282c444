#include "timestamp.h"

#include <cstring>
#include <stdexcept>

namespace samplegen {

namespace {

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

void putDigits(char* out, int value, int width)
{
    for (int i = width - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

} // namespace

TimeStamp::TimeStamp(int year, int month, int day, int hour, int minute, int second)
    : m_year(year)
    , m_month(month)
    , m_day(day)
    , m_hour(hour)
    , m_minute(minute)
    , m_second(second)
{
    const bool valid = year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= daysInMonth(year, month) && hour >= 0 &&
                       hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60;
    if (!valid)
        throw std::invalid_argument("no such start time");
    std::memcpy(m_text, "0000-00-00 00:00:00", TextLength);
    updateText();
}

void TimeStamp::advance(int seconds)
{
    m_second += seconds;
    if (m_second >= 60) {
        m_minute += m_second / 60;
        m_second %= 60;
        if (m_minute >= 60) {
            m_hour += m_minute / 60;
            m_minute %= 60;
            for (; m_hour >= 24; m_hour -= 24)
                nextDay();
        }
    }
    updateText();
}

std::string TimeStamp::compact() const
{
    std::string digits;
    for (const char c : text()) {
        if (c >= '0' && c <= '9')
            digits += c;
    }
    return digits;
}

void TimeStamp::nextDay()
{
    if (++m_day <= daysInMonth(m_year, m_month))
        return;
    m_day = 1;
    if (++m_month <= 12)
        return;
    m_month = 1;
    ++m_year;
}

void TimeStamp::updateText()
{
    putDigits(m_text, m_year, 4);
    putDigits(m_text + 5, m_month, 2);
    putDigits(m_text + 8, m_day, 2);
    putDigits(m_text + 11, m_hour, 2);
    putDigits(m_text + 14, m_minute, 2);
    putDigits(m_text + 17, m_second, 2);
}

} // namespace samplegen
