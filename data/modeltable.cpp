#include "modeltable.h"

#include <algorithm>

namespace qor::models {

namespace {

using enum ColumnId;

constexpr bool TemperatureAxis = true;

// The QOR1000-Z7 records a fourth value, kept in MV2 and drawn as plot 4.
constexpr std::array Z7Values{PV1, SP1, MV1, MV2};

constexpr PlanCell drawn(std::span<const ColumnId> values, bool temperatureAxis = false)
{
    return {.values = values, .plots = static_cast<int>(values.size()), .plots4And5OnTemperatureAxis = temperatureAxis};
}

constexpr PlanCell undrawn(std::span<const ColumnId> values)
{
    return {.values = values};
}

// A file kind that reads every file of the model alike.
constexpr FileTraits everyFile(PlanCell plan, int legendEntries)
{
    return {.plan = plan, .narrowedPlan = plan, .legendEntries = legendEntries, .narrowedLegendEntries = legendEntries};
}

constexpr QStringView OneChannelHeading = u"TIME,PV,SP,MV";
constexpr QStringView TwoChannelHeading = u"TIME,CH1_PV,CH1_SP,CH1_MV,CH2_PV,CH2_SP,CH2_MV";
constexpr QStringView ThreeChannelHeading = u"TIME,CH1_PV,CH1_SP,CH1_MV,CH2_PV,CH2_SP,CH2_MV,CH3_PV,CH3_SP,CH3_MV";

constexpr std::array Z7Grid{GridEntry{PV1, DigitalText::PV}, GridEntry{SP1, DigitalText::SP}, GridEntry{MV1, GraphText::MV1},
                            GridEntry{MV2, GraphText::MV2}};
constexpr std::array SixEntryGrid{GridEntry{PV1, DigitalText::PV},  GridEntry{SP1, DigitalText::SP},  GridEntry{MV1, DigitalText::MV},
                                  GridEntry{PV2, DigitalText::HPV}, GridEntry{SP2, DigitalText::HSP}, GridEntry{MV2, DigitalText::HMV}};
constexpr std::array NineEntryGrid{
    GridEntry{PV1, DigitalText::HiPV},  GridEntry{SP1, DigitalText::HiSP},  GridEntry{MV1, DigitalText::HiMV},
    GridEntry{PV2, DigitalText::ExpPV}, GridEntry{SP2, DigitalText::ExpSP}, GridEntry{MV2, DigitalText::ExpMV},
    GridEntry{PV3, DigitalText::LoPV},  GridEntry{SP3, DigitalText::LoSP},  GridEntry{MV3, DigitalText::LoMV}};

constexpr std::array Z7Series{SeriesEntry{GraphText::PV, PV1}, SeriesEntry{GraphText::SP, SP1}, SeriesEntry{GraphText::MV1, MV1},
                              SeriesEntry{GraphText::MV2, MV2}};
constexpr std::array SixSeries{SeriesEntry{GraphText::PV, PV1},  SeriesEntry{GraphText::SP, SP1},  SeriesEntry{GraphText::MV, MV1},
                               SeriesEntry{GraphText::HPV, PV2}, SeriesEntry{GraphText::HSP, SP2}, SeriesEntry{GraphText::HMV, MV2}};
constexpr std::array NineSeries{SeriesEntry{GraphText::HiPV, PV1},  SeriesEntry{GraphText::HiSP, SP1},  SeriesEntry{GraphText::HiMV, MV1},
                                SeriesEntry{GraphText::ExpPV, PV2}, SeriesEntry{GraphText::ExpSP, SP2}, SeriesEntry{GraphText::ExpMV, MV2},
                                SeriesEntry{GraphText::LoPV, PV3},  SeriesEntry{GraphText::LoSP, SP3},  SeriesEntry{GraphText::LoMV, MV3}};

constexpr SeriesCell ChannelSeries{.rule = SeriesRule::OptionChannels, .legendTitleKey = GraphText::TrendGraph};
constexpr SeriesCell Qor1400Series{.rule = SeriesRule::ThreeChannelsUnlessNarrowed, .legendTitleKey = GraphText::TrendGraph};

constexpr SettingsNames FirstChannelSetting{{{.graphSetKey = GraphSetText::Temperature}, {}, {}}};
constexpr SettingsNames TwoNumberedChannels{{{.text = u"CH1"}, {.text = u"CH2"}, {}}};
constexpr SettingsNames TwoZoneSettings{{{.graphSetKey = GraphSetText::Temperature}, {.graphSetKey = GraphSetText::Humidity}, {}}};

constexpr ModelTraits renamed(ModelTraits row, QStringView name)
{
    row.name = name;
    return row;
}

constexpr ModelTraits combinable(ModelTraits row)
{
    row.combined = true;
    return row;
}

constexpr ModelTraits Qor1000{
    .name = u"QOR1000",
    .log = {.plan = drawn(TwoChannels, TemperatureAxis), .narrowedPlan = drawn(OneChannel), .legendEntries = 6, .narrowedLegendEntries = 3},
    // A CSV file holds the first channel only, with or without an option.
    .csv = everyFile(drawn(OneChannel), 3),
    .exportHeading = TwoChannelHeading,
    .narrowedExportHeading = OneChannelHeading,
    .report = {.rows = 3},
    .table = {.channels = 2, .wideWhen = WideWhen::WithoutOption, .eachStatisticsRowPrefixed = true, .titleKey = DigitalText::DataTable},
    .series = ChannelSeries,
    .settingsNames = FirstChannelSetting,
    .recognisedCsvModel = true,
    .csvOptionLine = CsvOptionLine::AfterMarker,
    .oldCsvChoiceFrame = 0,
};

constexpr ModelTraits Qor1000Z7{
    .name = u"QOR1000-Z7",
    .log = everyFile(drawn(Z7Values), 4),
    // Its CSV file draws four plots, but the open command shows no legend entry for them.
    .csv = everyFile(drawn(Z7Values), 0),
    // No export heading, and the table window keeps the graph window's caption as its title.
    .table = {.entries = Z7Grid},
    .series = {.rule = SeriesRule::Listed, .entries = Z7Series, .legendTitleKey = GraphText::TrendGraph},
    .settingsNames = FirstChannelSetting,
};

constexpr ModelTraits Qor1200{
    .name = u"QOR1200",
    .log = everyFile(drawn(TwoChannels), 6),
    .csv = everyFile(drawn(TwoChannels), 6),
    .exportHeading = u"TIME,TPV,TSP,TMV,HPV,HSP,HMV",
    .narrowedExportHeading = u"TIME,TPV,TSP,TMV,HPV,HSP,HMV",
    .report = {.rows = 6},
    .table = {.entries = SixEntryGrid, .titleKey = DigitalText::TemperatureHumidityTable},
    .series = {.rule = SeriesRule::Listed, .entries = SixSeries, .legendTitleKey = GraphText::TemperatureHumidityGraph},
    .settingsNames = TwoZoneSettings,
    .recognisedCsvModel = true,
    .oldCsvChoiceFrame = 1,
};

constexpr ModelTraits Qor1300{
    .name = u"QOR1300",
    .log = everyFile(drawn(ThreeChannels, TemperatureAxis), 9),
    .csv = everyFile(drawn(ThreeChannels, TemperatureAxis), 9),
    .exportHeading = u"TIME,Hi.PV,Hi.SP,Hi.MV,Exp.PV,Exp.SP,Exp.MV,Lo.PV,Lo.SP,Lo.MV",
    .narrowedExportHeading = u"TIME,Hi.PV,Hi.SP,Hi.MV,Exp.PV,Exp.SP,Exp.MV,Lo.PV,Lo.SP,Lo.MV",
    .report = {.rows = 9, .firstLabel = DigitalText::HiPV},
    .table = {.entries = NineEntryGrid, .titleKey = DigitalText::ThreeChannelTable},
    .series = {.rule = SeriesRule::Listed, .entries = NineSeries, .legendTitleKey = GraphText::ThreeChannelGraph},
    .settingsNames = {{{.graphSetKey = GraphSetText::HiChannel},
                       {.graphSetKey = GraphSetText::ExpChannel},
                       {.graphSetKey = GraphSetText::LoChannel}}},
    .recognisedCsvModel = true,
    .oldCsvChoiceFrame = 2,
};

constexpr FileTraits Qor1400Files{.plan = drawn(ThreeChannels, TemperatureAxis),
                                  .narrowedPlan = drawn(OneChannel),
                                  .legendEntries = 9,
                                  .narrowedLegendEntries = 3,
                                  .optionTellsAllChannels = true};

constexpr ModelTraits Qor1400{
    .name = u"QOR1400",
    .log = Qor1400Files,
    .csv = Qor1400Files,
    .exportHeading = ThreeChannelHeading,
    .narrowedExportHeading = OneChannelHeading,
    .report = {.rows = 3},
    .table = {.channels = 3, .wideWhen = WideWhen::WithAllChannels, .titleKey = DigitalText::DataTable},
    .series = Qor1400Series,
    .settingsNames = FirstChannelSetting,
    .allChannelsSettingsNames =
        SettingsNames{{{u"CH1 ", GraphSetText::Temperature}, {u"CH2 ", GraphSetText::Temperature}, {u"CH3 ", GraphSetText::Temperature}}},
    .recognisedCsvModel = true,
    .csvOptionLine = CsvOptionLine::AfterTrimmedMarker,
    .qor1400Family = true,
};

// The QOR1400's variants have no export heading, and their table window keeps the graph window's
// caption as its title.
constexpr ModelTraits Qor1400Z11{
    .name = u"QOR1400-Z11",
    // A log is read with three values, like that of a model the table does not name.
    .log = ModelTraits{}.log,
    // A CSV file is read as the QOR1400's, but the open command shows no legend entry.
    .csv = {.plan = Qor1400Files.plan, .narrowedPlan = Qor1400Files.narrowedPlan, .optionTellsAllChannels = true},
    .table = {.channels = 3, .wideWhen = WideWhen::WithAllChannels},
    .series = Qor1400Series,
    .settingsNames = Qor1400.settingsNames,
    .allChannelsSettingsNames = Qor1400.allChannelsSettingsNames,
    .csvOptionLine = CsvOptionLine::AfterTrimmedMarker,
    .qor1400Family = true,
};

constexpr ModelTraits Qor500{
    .name = u"QOR500",
    // A CSV file fills the first channel and draws nothing.
    .csv = everyFile(undrawn(OneChannel), 0),
    .dat = everyFile(drawn(OneChannel), 3),
    .exportHeading = OneChannelHeading,
    .narrowedExportHeading = OneChannelHeading,
    .exportedColumns = OneChannel,
    .report = {.rows = 3},
    .table = {.channels = 1, .titleKey = DigitalText::DataTable},
    .series = ChannelSeries,
    .settingsNames = TwoNumberedChannels,
};

constexpr ModelTraits Qor510{
    .name = u"QOR510",
    // A CSV file fills the first channel only and draws nothing.
    .csv = everyFile(undrawn(OneChannel), 0),
    .dat = everyFile(drawn(TwoChannels, TemperatureAxis), 6),
    // An option narrows neither the export heading nor the record grid, only the statistics.
    .exportHeading = TwoChannelHeading,
    .narrowedExportHeading = TwoChannelHeading,
    .exportedColumns = TwoChannels,
    .report = {.rows = 3},
    .table = {.channels = 2, .eachStatisticsRowPrefixed = true, .optionNarrowsStatistics = true, .titleKey = DigitalText::DataTable},
    .series = ChannelSeries,
    .settingsNames = TwoNumberedChannels,
};

constexpr ModelTraits Qor520{
    .name = u"QOR520",
    // A log fills six columns but draws plots 1 to 3 only, and the open command shows no legend
    // entry; a CSV file fills six columns and draws none. There is no export heading.
    .log = everyFile({.values = TwoChannels, .plots = 3}, 0),
    .csv = everyFile(undrawn(TwoChannels), 0),
    .report = {.rows = 6},
    .table = {.entries = SixEntryGrid, .titleKey = DigitalText::TemperatureHumidityTable},
    .series = {.rule = SeriesRule::Listed, .entries = SixSeries, .legendTitleKey = GraphText::TemperatureHumidityGraph},
    .settingsNames = TwoZoneSettings,
    .oldCsvChoiceFrame = 1,
};

// The models offered for an old CSV file are offered in the order of their rows.
constexpr std::array Models{
    Qor1000,
    // The QOR1100 is a QOR1000 in every trait but the combined view.
    combinable(renamed(Qor1000, u"QOR1100")),
    Qor1000Z7,
    Qor1200,
    Qor1300,
    combinable(Qor1400),
    Qor1400Z11,
    renamed(Qor1400Z11, u"QOR1400-Z12"),
    Qor500,
    Qor510,
    Qor520,
    // Can be chosen for an old CSV file, but no reader knows it: its other traits are those of a
    // model the table does not name.
    ModelTraits{.name = u"QOR720", .oldCsvChoiceFrame = 1},
};

constexpr ModelTraits OtherModel{};

} // namespace

std::span<const ModelTraits> modelTable()
{
    return Models;
}

const ModelTraits& traitsOf(QStringView model)
{
    const auto row = std::ranges::find(Models, model, &ModelTraits::name);
    return row == Models.end() ? OtherModel : *row;
}

bool combinable(QStringView first, QStringView second)
{
    return first == second && traitsOf(first).combined;
}

} // namespace qor::models
