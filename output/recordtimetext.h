#pragma once

#include "data/datetime.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

namespace qor::output {

// Writes the general date-and-time text of record times (datetime::generalText, as the table
// shows them) as UTF-8, fast enough for exports of millions of records: the date text is made
// once per day, the clock time from its digits. One writer per thread, as it keeps the last day.
class RecordTimeText {
  public:
    explicit RecordTimeText(const datetime::AmPm& amPm);

    // Room that one text needs.
    std::size_t maxSize() const;
    // Writes the text of the time `seconds` after date zero to `out`; returns the end of it.
    char* write(char* out, std::int64_t seconds);

  private:
    std::string m_am;
    std::string m_pm;
    std::int64_t m_day = std::numeric_limits<std::int64_t>::min();
    std::string m_date;
};

} // namespace qor::output
