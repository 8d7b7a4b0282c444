#include "samplegen.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace {

constexpr std::string_view Usage = R"(Usage: qor-samplegen [options]
Writes a simulated recording, named by its start time and model.

  --model M                 model name (default QOR1300)
  --kind log|csv|dat        file kind (default log)
  --option TEXT             option text; empty records all channels
  --records N               number of records (default 1000)
  --interval S              seconds between records (default 1)
  --start yyyymmddhhnnss    start time (default 20150301080000)
  --seed N                  seed of the simulated process (default 1)
  --comments                CSV: comment and blank lines among the data
  --full-precision          values as computed (up to 17 digits), not tenths
  --out FOLDER              folder to write into (default .)
  --samples FOLDER          write the committed sample set instead
  --help                    show this text
)";

struct Options {
    samplegen::Recording recording;
    std::filesystem::path out = ".";
    std::optional<std::filesystem::path> samples;
};

template <typename Number> Number parseNumber(std::string_view text, Number low, Number high)
{
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high)
        throw std::invalid_argument("not a number in " + std::to_string(low) + ".." + std::to_string(high) + ": " + std::string(text));
    return value;
}

samplegen::FileKind parseKind(std::string_view text)
{
    if (text == "log")
        return samplegen::FileKind::Log;
    if (text == "csv")
        return samplegen::FileKind::Csv;
    if (text == "dat")
        return samplegen::FileKind::Dat;
    throw std::invalid_argument("unknown kind: " + std::string(text));
}

void parseStart(std::string_view text, samplegen::Recording& recording)
{
    if (text.size() != 14)
        throw std::invalid_argument("start time is not yyyymmddhhnnss: " + std::string(text));
    const auto field = [text](std::size_t at, std::size_t size) { return parseNumber(text.substr(at, size), 0, 9999); };
    recording.year = field(0, 4);
    recording.month = field(4, 2);
    recording.day = field(6, 2);
    recording.hour = field(8, 2);
    recording.minute = field(10, 2);
    recording.second = field(12, 2);
}

using Setter = void (*)(std::string_view value, Options& options);

// Every option but --comments, --full-precision and --help takes a value.
constexpr std::array<std::pair<std::string_view, Setter>, 9> ValueOptions = {{
    {"--model", [](std::string_view value, Options& options) { options.recording.model = value; }},
    {"--kind", [](std::string_view value, Options& options) { options.recording.kind = parseKind(value); }},
    {"--option", [](std::string_view value, Options& options) { options.recording.option = value; }},
    {"--records",
     [](std::string_view value, Options& options) { options.recording.records = parseNumber<std::int64_t>(value, 0, 1'000'000'000'000); }},
    {"--interval", [](std::string_view value, Options& options) { options.recording.intervalSeconds = parseNumber(value, 1, 86400); }},
    {"--start", [](std::string_view value, Options& options) { parseStart(value, options.recording); }},
    {"--seed", [](std::string_view value,
                  Options& options) { options.recording.seed = parseNumber(value, 0U, std::numeric_limits<std::uint32_t>::max()); }},
    {"--out", [](std::string_view value, Options& options) { options.out = value; }},
    {"--samples", [](std::string_view value, Options& options) { options.samples = value; }},
}};

Options parseArguments(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        if (name == "--comments") {
            options.recording.commentLines = true;
            continue;
        }
        if (name == "--full-precision") {
            options.recording.fullPrecision = true;
            continue;
        }
        const auto option = std::ranges::find(ValueOptions, name, &std::pair<std::string_view, Setter>::first);
        if (option == ValueOptions.end())
            throw std::invalid_argument("unknown option: " + std::string(name));
        if (i + 1 == argc)
            throw std::invalid_argument("missing value for " + std::string(name));
        option->second(argv[++i], options);
    }
    return options;
}

void run(const Options& options)
{
    if (options.samples) {
        std::filesystem::create_directories(*options.samples);
        for (const samplegen::Recording& recording : samplegen::sampleSet())
            std::cout << samplegen::writeInto(recording, *options.samples).string() << '\n';
        return;
    }
    std::cout << samplegen::writeInto(options.recording, options.out).string() << '\n';
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && std::string_view(argv[1]) == "--help") {
        std::cout << Usage;
        return EXIT_SUCCESS;
    }
    try {
        run(parseArguments(argc, argv));
    } catch (const std::invalid_argument& error) {
        std::cerr << "qor-samplegen: " << error.what() << "\n\n" << Usage;
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "qor-samplegen: " << error.what() << '\n';
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}
