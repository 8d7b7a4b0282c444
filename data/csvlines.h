#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// How the lines of a recorded CSV file are told apart. The counting, the parsing and the columns
// that cut texts out of the file later all use these same rules, so they always agree on which line
// is which record.
namespace qor::csv {

// Splits text into lines that end in CR LF, LF or CR.
class LineCursor {
  public:
    LineCursor(std::string_view text, std::size_t offset = 0)
        : m_text(text)
        , m_offset(offset)
    {
    }

    bool atEnd() const { return m_offset >= m_text.size(); }
    std::size_t offset() const { return m_offset; }
    // The next line without its line end; moves past the line end.
    std::string_view next();

  private:
    std::string_view m_text;
    std::size_t m_offset;
};

// The first line start at or after `offset`.
std::size_t lineStartAtOrAfter(std::string_view text, std::size_t offset);

// A data record is a line that is not a comment (";" in column 1) nor blank, and whose first field,
// trimmed of blanks, is a valid "yyyy-mm-dd hh:nn:ss" time. Returns the record's time as whole
// seconds since 1899-12-30, or nullopt for every other line.
std::optional<std::int64_t> recordTime(std::string_view line);

// True for a data record: recordTime without working out the time, for the passes that only need to
// know which lines are records.
bool isRecord(std::string_view line);

// Field `index` (0 = the time) of a line split at ","; nullopt when the line has fewer fields.
std::optional<std::string_view> field(std::string_view line, int index);

} // namespace qor::csv
