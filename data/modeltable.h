#pragma once

#include "recordermodel.h"
#include "tracecolumns.h"

#include <QStringView>

#include <array>
#include <optional>
#include <span>

// The recorder model table: one row of traits per model, the only place that knows what a model
// name means. A model the table does not name has the traits of a default row, which is what the
// members' defaults below describe. Names are compared case-sensitively, as the files give them.
namespace qor::models {

// The value columns of one, two and three channels, PV, SP and MV each.
inline constexpr std::array OneChannel{ColumnId::PV1, ColumnId::SP1, ColumnId::MV1};
inline constexpr std::array TwoChannels{ColumnId::PV1, ColumnId::SP1, ColumnId::MV1, ColumnId::PV2, ColumnId::SP2, ColumnId::MV2};
inline constexpr std::array ThreeChannels{ColumnId::PV1, ColumnId::SP1, ColumnId::MV1, ColumnId::PV2, ColumnId::SP2,
                                          ColumnId::MV2, ColumnId::PV3, ColumnId::SP3, ColumnId::MV3};

// What a reader does with a file: the columns a record's values fill, in record order, and how
// many of them, from the first, it draws as plots 1, 2, ... No values: no reader knows the file.
struct PlanCell {
    std::span<const ColumnId> values{};
    int plots = 0;
    bool plots4And5OnTemperatureAxis = false;
};

// One file kind of a model. The narrowed cells are for a file whose header names an option; the
// CSV reader instead narrows its plan for a file that does not hold all channels.
struct FileTraits {
    PlanCell plan{};
    PlanCell narrowedPlan{};
    int legendEntries = 0; // channel legend entries the open command shows
    int narrowedLegendEntries = 0;
    bool optionTellsAllChannels = false; // the header marks a file without an option as holding all channels
};

// A record-grid column together with the statistics row that evaluates it.
struct GridEntry {
    ColumnId column;
    StringKey text;
};

// When a channel layout shows all its channels rather than the first one; always only as far as
// the file filled them.
enum class WideWhen { Always, WithoutOption, WithAllChannels };

// The table window: either listed entries, or `channels` channels of PV, SP and MV; neither means
// the model has no table layout.
struct TableCell {
    std::span<const GridEntry> entries{};
    int channels = 0; // 1: one channel, named by the option; 2 or 3: that many when wide
    WideWhen wideWhen = WideWhen::Always;
    bool eachStatisticsRowPrefixed = false; // else only a channel's first row names the channel
    bool optionNarrowsStatistics = false;   // with an option, only channel 1 is evaluated
    std::optional<DigitalText> titleKey{};  // the entry titling the window
};

// The graph windows' legend captions and the rows of the cursor readout and range statistics.
struct SeriesEntry {
    GraphText graphKey;
    ColumnId column;
};

enum class SeriesRule {
    None,
    Listed,         // the listed entries
    OptionChannels, // one channel named by the option; two numbered channels without one
    // Three numbered channels; as OptionChannels for a file narrowed to one channel (the legend:
    // by an option, the readout: by a channel display code other than 0).
    ThreeChannelsUnlessNarrowed,
};

struct SeriesCell {
    SeriesRule rule = SeriesRule::None;
    std::span<const SeriesEntry> entries{};
    std::optional<GraphText> legendTitleKey{}; // the entry titling the window; none for SeriesRule::None
};

// The channel rows of the display settings window: a text and an entry put after it.
struct SettingsName {
    QStringView text{};
    std::optional<GraphSetText> graphSetKey{};
};
using SettingsNames = std::array<SettingsName, 3>;
inline constexpr SettingsNames NumberedChannelNames{{{.text = u"CH1"}, {.text = u"CH2"}, {.text = u"CH3"}}};

// How the option is cut from a CSV file's second line (its first 40 characters, upper case).
enum class CsvOptionLine {
    NotRead,
    AfterMarker,        // from the third character on, then trimmed
    AfterTrimmedMarker, // trimmed, then from the third character on, then trimmed
};

// The range statistics that a printed report lists: the first `rows` rows of the statistics grid,
// labelled by the table window's entries from `firstLabel` on; no rows: none are listed.
struct ReportCell {
    int rows = 0;
    DigitalText firstLabel = DigitalText::PV;
};

struct ModelTraits {
    QStringView name{};
    // By default a log's first channel is read and drawn, a DAT file's read only, a CSV file not at all.
    FileTraits log{.plan = {.values = OneChannel, .plots = 3}, .narrowedPlan = {.values = OneChannel, .plots = 3}};
    FileTraits csv{};
    FileTraits dat{.plan = {.values = OneChannel}, .narrowedPlan = {.values = OneChannel}};
    QStringView exportHeading{}; // the column heading line of an exported CSV file; empty: none
    QStringView narrowedExportHeading{};
    // The export writes these columns of the loaded records; empty: it reads the .LOG file again.
    std::span<const ColumnId> exportedColumns{};
    ReportCell report{};
    TableCell table{};
    SeriesCell series{};
    SettingsNames settingsNames = NumberedChannelNames;
    std::optional<SettingsNames> allChannelsSettingsNames{}; // for a file holding all channels
    bool recognisedCsvModel = false;                         // a CSV file naming the model is read
    CsvOptionLine csvOptionLine = CsvOptionLine::NotRead;
    bool qor1400Family = false;
    // The combined view overlays two files of this model (its scan reads the QOR1400 family's
    // members as QOR1400).
    bool combined = false;
    // The frame of the model selection window that offers the model for a CSV file of the old
    // storage format, grouping it with its kin; none: not offered.
    std::optional<int> oldCsvChoiceFrame{};
};

// Every model the table names, and the row of one model (the default row for any other name).
std::span<const ModelTraits> modelTable();
const ModelTraits& traitsOf(QStringView model);
// Whether the combined view overlays files of these two models: one model, marked combined.
bool combinable(QStringView first, QStringView second);

} // namespace qor::models
