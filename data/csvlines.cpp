#include "csvlines.h"

#include "datetime.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace qor::csv {

namespace {

constexpr std::size_t TimeLength = 19;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string_view trimmedBlanks(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

int twoDigits(const char* p)
{
    return (p[0] - '0') * 10 + (p[1] - '0');
}

bool isDateSeparator(char c)
{
    return c == '-' || c == '/';
}

// "yyyy-mm-dd hh:nn:ss", with "/" also accepted between the date's parts. The separators are
// looked at first: they reject most lines that are no record at once.
bool hasTimeShape(std::string_view t)
{
    static constexpr std::array<std::size_t, 14> DigitPositions = {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18};
    return isDateSeparator(t[4]) && isDateSeparator(t[7]) && t[10] == ' ' && t[13] == ':' && t[16] == ':' &&
           std::all_of(DigitPositions.begin(), DigitPositions.end(), [t](std::size_t i) { return isDigit(t[i]); });
}

// The parts of a valid time.
struct TimeFields {
    std::int64_t year;
    int month, day, hour, minute, second;
};

// The time that begins a data record (see recordTime); nullopt for every other line.
std::optional<TimeFields> timeFields(std::string_view line)
{
    if (line.empty() || line.front() == ';')
        return std::nullopt;
    // Nearly every record starts with its 19-character time and a comma; only others need a search.
    const bool plain = line.size() > TimeLength && line[TimeLength] == ',' && line.front() != ' ';
    const std::string_view first = plain ? line.substr(0, TimeLength) : trimmedBlanks(line.substr(0, line.find(',')));
    if (first.size() != TimeLength || !hasTimeShape(first))
        return std::nullopt;
    const char* p = first.data();
    const TimeFields t = {
        twoDigits(p) * 100 + twoDigits(p + 2), twoDigits(p + 5), twoDigits(p + 8), twoDigits(p + 11), twoDigits(p + 14), twoDigits(p + 17)};
    if (t.month < 1 || t.month > 12 || t.day < 1 || static_cast<unsigned>(t.day) > datetime::daysInMonth(t.year, t.month) || t.hour > 23 ||
        t.minute > 59 || t.second > 59)
        return std::nullopt;
    return t;
}

} // namespace

std::string_view LineCursor::next()
{
    const char* begin = m_text.data() + m_offset;
    const std::size_t rest = m_text.size() - m_offset;
    const void* lf = std::memchr(begin, '\n', rest);
    const std::size_t lfAt = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - begin) : rest;
    const void* cr = std::memchr(begin, '\r', lfAt);
    const std::size_t length = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - begin) : lfAt;
    std::size_t ending = 0;
    if (length < rest)
        ending = (begin[length] == '\r' && length + 1 < rest && begin[length + 1] == '\n') ? 2 : 1;
    m_offset += length + ending;
    return {begin, length};
}

std::size_t lineStartAtOrAfter(std::string_view text, std::size_t offset)
{
    for (std::size_t p = offset; p < text.size(); ++p) {
        if (p == 0)
            return 0;
        const char before = text[p - 1];
        if (before == '\n' || (before == '\r' && text[p] != '\n'))
            return p;
    }
    return text.size();
}

bool isRecord(std::string_view line)
{
    return timeFields(line).has_value();
}

std::optional<std::int64_t> recordTime(std::string_view line)
{
    const std::optional<TimeFields> t = timeFields(line);
    if (!t)
        return std::nullopt;
    const std::int64_t days = datetime::dayNumber(t->year, static_cast<unsigned>(t->month), static_cast<unsigned>(t->day));
    return days * datetime::SecondsPerDay + t->hour * 3600 + t->minute * 60 + t->second;
}

std::optional<std::string_view> field(std::string_view line, int index)
{
    for (int i = 0; i < index; ++i) {
        const std::size_t comma = line.find(',');
        if (comma == std::string_view::npos)
            return std::nullopt;
        line.remove_prefix(comma + 1);
    }
    return line.substr(0, line.find(','));
}

} // namespace qor::csv
