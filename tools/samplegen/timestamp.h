#pragma once

#include <string>
#include <string_view>

namespace samplegen {

// A wall-clock time that moves forward by whole seconds. Millions of records
// each need their time as text, so the calendar fields are carried by hand
// and the text is kept up to date instead of converting from epoch seconds.
class TimeStamp {
  public:
    // Throws std::invalid_argument for a date or time that does not exist.
    TimeStamp(int year, int month, int day, int hour, int minute, int second);

    void advance(int seconds);

    // "yyyy-mm-dd hh:nn:ss"
    std::string_view text() const { return {m_text, TextLength}; }
    // "yyyymmddhhnnss"
    std::string compact() const;

    int year() const { return m_year; }
    int month() const { return m_month; }
    int day() const { return m_day; }
    int hour() const { return m_hour; }
    int minute() const { return m_minute; }
    int second() const { return m_second; }

    static constexpr std::size_t TextLength = 19;

  private:
    void nextDay();
    void updateText();

    int m_year, m_month, m_day, m_hour, m_minute, m_second;
    char m_text[TextLength];
};

} // namespace samplegen
