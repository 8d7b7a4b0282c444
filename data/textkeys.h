#pragma once

#include <QObject>

#include <optional>

// The named keys of the string table's entries. Each section of the language files has one enum
// whose values are the section's numeric keys and whose names come from the English texts; the
// meta-enums let the tests hold every name against the shipped files.
namespace qor::textkeys {

Q_NAMESPACE

// The sections of the string table, in the order its entries are numbered.
enum class StringSection { Digital, Find, Graph, GraphSet, Process, Dialog, Fileinfo, MDIForm, Viewer };

// [Digital]: the table window.
enum class DigitalText {
    SelectionStatistics = 1,
    DataList = 2,
    Minimum = 3,
    Maximum = 4,
    Time = 5,
    PV = 6,
    SP = 7,
    MV = 8,
    HPV = 9,
    HSP = 10,
    HMV = 11,
    HiPV = 12,
    HiSP = 13,
    HiMV = 14,
    ExpPV = 15,
    ExpSP = 16,
    ExpMV = 17,
    LoPV = 18,
    LoSP = 19,
    LoMV = 20,
    DataTable = 21,
    TemperatureHumidityTable = 22,
    ThreeChannelTable = 23,
};
Q_ENUM_NS(DigitalText)

// [Find]: the data search.
enum class FindText {
    DataSearch = 1,
    Year = 2,
    Month = 3,
    Day = 4,
    Hour = 5,
    Minute = 6,
    SearchTime = 7,
    DataRange = 8,
    Start = 9,
    End = 10,
    Search = 11,
    Close = 12,
    NeedsAbsoluteTime = 13,
    NoDataAtTime = 14,
};
Q_ENUM_NS(FindText)

// [Graph]: the graph window.
enum class GraphText {
    Legend = 1,
    Cursor = 2,
    TrendGraph = 3,
    PV = 4,
    SP = 5,
    MV = 6,
    TemperatureHumidityGraph = 7,
    HPV = 8,
    HSP = 9,
    HMV = 10,
    ThreeChannelGraph = 11,
    HiPV = 12,
    HiSP = 13,
    HiMV = 14,
    ExpPV = 15,
    ExpSP = 16,
    ExpMV = 17,
    LoPV = 18,
    LoSP = 19,
    LoMV = 20,
    MV1 = 21,
    MV2 = 22,
    Range = 23,
    Calculate = 24,
    RangeCursorsReversed = 25,
    Converting = 26,
};
Q_ENUM_NS(GraphText)

// [GraphSet]: the display settings window.
enum class GraphSetText {
    TrendDisplaySettings = 1,
    TrendColors = 2,
    Temperature = 3,
    Humidity = 4,
    HiChannel = 5,
    ExpChannel = 6,
    LoChannel = 7,
    PV = 8,
    SP = 9,
    MV = 10,
    Scale = 11,
    Maximum = 12,
    Minimum = 13,
    OK = 14,
    Cancel = 15,
    Defaults = 16,
    TemperatureAxis = 17,
    OutputAxis = 18,
    TimeAxis = 19,
};
Q_ENUM_NS(GraphSetText)

// [Process]: the model selection window for a file of the old storage format.
enum class ProcessText {
    DataConversion = 1,
    OldFormatSelectModel = 2,
    ModelChoiceIsFinal = 3,
    OK = 4,
    Cancel = 5,
};
Q_ENUM_NS(ProcessText)

// [Dialog]: the start-up check.
enum class DialogText {
    ProgramStart = 1,
    AlreadyRunning = 2,
};
Q_ENUM_NS(DialogText)

// [Fileinfo]: the file information texts.
enum class FileinfoText {
    FileInformation = 1,
    FileName = 2,
    Model = 3,
    StartTime = 4,
    EndTime = 5,
    PrintComment = 6,
    OK = 7,
    Cancel = 8,
};
Q_ENUM_NS(FileinfoText)

// [MDIForm]: the main window's menus, toolbar and messages.
enum class MDIFormText {
    File = 1,
    Open = 2,
    FileInfo = 3,
    Capture = 4,
    ExportCsv = 5,
    PrintPreview = 6,
    Print = 7,
    Exit = 8,
    OnlyLogAndDatExport = 9,
    TimeAxis = 10,
    RelativeTime = 11,
    AbsoluteTime = 12,
    DataSearch = 13,
    InvalidDataFile = 14,
    View = 15,
    Style = 16,
    Light = 17,
    Dark = 18,
    Line = 19,
    Normal = 20,
    Medium = 21,
    Thick = 22,
    ZoomIn = 23,
    ZoomOut = 24,
    Language = 25,
    Korean = 26,
    English = 27,
    Chinese = 28,
    YAxis = 29,
    XAxis = 30,
    StandardGrid = 31,
    DenseGrid1 = 32,
    DenseGrid2 = 33,
    Help = 34,
    About = 35,
    Cascade = 36,
    Tile = 37,
    Window = 38,
    GraphView = 39,
    TableView = 40,
    DisplaySettings = 41,
    FullRange = 42,
    CombineChannels = 43,
    SplitData = 44,
};
Q_ENUM_NS(MDIFormText)

// [Viewer]: the range measurements, the recent files and the about box.
enum class ViewerText {
    Mean = 1,
    StandardDeviation = 2,
    PeakToPeak = 3,
    Change = 4,
    Records = 5,
    RecentFiles = 6,
    FileNoLongerExists = 7,
    AboutText = 8,
};
Q_ENUM_NS(ViewerText)

// The section of each enum's keys; none for any other type.
template <typename Key> inline constexpr std::optional<StringSection> sectionOf = std::nullopt;
template <> inline constexpr std::optional<StringSection> sectionOf<DigitalText> = StringSection::Digital;
template <> inline constexpr std::optional<StringSection> sectionOf<FindText> = StringSection::Find;
template <> inline constexpr std::optional<StringSection> sectionOf<GraphText> = StringSection::Graph;
template <> inline constexpr std::optional<StringSection> sectionOf<GraphSetText> = StringSection::GraphSet;
template <> inline constexpr std::optional<StringSection> sectionOf<ProcessText> = StringSection::Process;
template <> inline constexpr std::optional<StringSection> sectionOf<DialogText> = StringSection::Dialog;
template <> inline constexpr std::optional<StringSection> sectionOf<FileinfoText> = StringSection::Fileinfo;
template <> inline constexpr std::optional<StringSection> sectionOf<MDIFormText> = StringSection::MDIForm;
template <> inline constexpr std::optional<StringSection> sectionOf<ViewerText> = StringSection::Viewer;

template <typename Key>
concept TextKey = (sectionOf<Key> != std::nullopt);

// One entry of the string table: a section and a key in it, made from any section's named key.
struct StringKey {
    template <TextKey Key>
    constexpr StringKey(Key named) // implicit: a named key is an entry
        : section(*sectionOf<Key>)
        , key(static_cast<int>(named))
    {
    }

    StringSection section;
    int key;
};

// The key `offset` places after `first`, for runs of entries that go together, as PV, SP and MV.
template <TextKey Key> constexpr Key keyAfter(Key first, int offset)
{
    return static_cast<Key>(static_cast<int>(first) + offset);
}

} // namespace qor::textkeys

// The program names the keys without the namespace, which only gives the meta-enums a home.
namespace qor {
using namespace textkeys;
} // namespace qor
