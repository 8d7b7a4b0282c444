#include "csvwriter.h"

#include "bufferedfile.h"
#include "samplegen.h"
#include "simulation.h"
#include "timestamp.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace samplegen {

namespace {

// Longest line: the time stamp and nine values, each at most as long as a double's shortest text.
constexpr std::size_t MaxLineLength = TimeStamp::TextLength + Simulation::MaxValues * 24 + 2;

void appendLine(BufferedFile& file, std::string_view text)
{
    file.append(text);
    file.append("\r\n");
}

// Formats from whole tenths, which is both faster than formatting a double
// and exactly the value the LOG of the same recording holds.
char* putTenths(char* out, double value)
{
    long long tenths = std::llround(value * 10);
    if (tenths < 0) {
        *out++ = '-';
        tenths = -tenths;
    }
    out = std::to_chars(out, out + 20, tenths / 10).ptr;
    *out++ = '.';
    *out++ = static_cast<char>('0' + tenths % 10);
    return out;
}

const char* phaseComment(Phase phase)
{
    switch (phase) {
    case Phase::Idle:
        return "; Idle";
    case Phase::RampUp:
        return "; Ramp up";
    case Phase::Soak:
        return "; Soak";
    case Phase::CoolDown:
        return "; Cool down";
    }
    return ";";
}

void appendHeader(const Recording& recording, const TimeStamp& start, BufferedFile& file)
{
    appendLine(file, "; " + recording.model);
    appendLine(file, "; " + recording.option);
    if (recording.commentLines) {
        appendLine(file, "; Start " + std::string(start.text()));
        appendLine(file, "; Interval " + std::to_string(recording.intervalSeconds) + " s");
    }
}

// The recorder marks each programme step; a blank line separates the cycles.
void appendPhaseComment(Phase phase, BufferedFile& file)
{
    if (phase == Phase::RampUp)
        appendLine(file, "");
    appendLine(file, phaseComment(phase));
}

// The shortest text that reads back as the value, so that the CSV holds what the LOG holds.
char* putFull(char* out, double value)
{
    return std::to_chars(out, out + 24, value).ptr;
}

void appendRecord(const TimeStamp& time, const Simulation& simulation, bool fullPrecision, int count, BufferedFile& file)
{
    char* const line = file.reserve(MaxLineLength);
    std::memcpy(line, time.text().data(), TimeStamp::TextLength);
    char* out = line + TimeStamp::TextLength;
    for (int column = 0; column < count; ++column) {
        *out++ = ',';
        const double value = simulation.values()[static_cast<std::size_t>(column)];
        out = fullPrecision ? putFull(out, value) : putTenths(out, value);
    }
    *out++ = '\r';
    *out++ = '\n';
    file.commit(static_cast<std::size_t>(out - line));
}

} // namespace

void writeCsv(const Recording& recording, BufferedFile& file)
{
    TimeStamp time(recording.year, recording.month, recording.day, recording.hour, recording.minute, recording.second);
    appendHeader(recording, time, file);

    const int count = valuesPerRecord(recording);
    Simulation simulation(recording);
    Phase lastPhase = Phase::Idle;
    for (std::int64_t record = 0; record < recording.records; ++record) {
        simulation.next();
        if (recording.commentLines && simulation.phase() != lastPhase)
            appendPhaseComment(simulation.phase(), file);
        lastPhase = simulation.phase();
        appendRecord(time, simulation, recording.fullPrecision, count, file);
        time.advance(recording.intervalSeconds);
    }
}

} // namespace samplegen
