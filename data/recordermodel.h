#pragma once

#include "textkeys.h"
#include "tracecolumns.h"

#include <QString>
#include <QStringView>

#include <algorithm>
#include <optional>
#include <span>
#include <vector>

// What each recorder model means for the program: how many values its records hold in each file
// kind, which columns they fill, which plots the readers draw, how many legend entries the open
// command shows and how exported files head their columns. The answers are read from a model's row
// of the model table (modeltable.h), which keeps the differences between the file kinds as cells.
// A slot looks its row up once, when its model is named (SlotData::setModel).
namespace qor::models {

struct ModelTraits;

enum class FileKind { Log, Csv, Dat, Unknown };

// The kind named by a path's extension (".LOG", ".CSV", ".DAT", in any case).
FileKind fileKindOf(QStringView path);

struct PlotAssignment {
    int plot;        // 1..9
    ColumnId column; // the column the plot shows
};

// What a reader does with a file of one model.
struct ReadPlan {
    std::vector<ColumnId> values;      // the columns a record's values fill, in record order
    std::vector<PlotAssignment> plots; // the plots drawn from them
    bool plots4And5OnTemperatureAxis = false;

    bool hasReader() const { return !values.empty(); }
    bool fills(ColumnId id) const { return std::ranges::find(values, id) != values.end(); }
};

ReadPlan logPlan(const ModelTraits& model, QStringView option);
ReadPlan csvPlan(const ModelTraits& model, bool allChannels);
ReadPlan datPlan(const ModelTraits& model);

bool isQor1400Family(const ModelTraits& model);
// Whether the header of a file of that kind marks a file without an option as holding all channels.
bool optionTellsAllChannels(FileKind kind, const ModelTraits& model);

// Channel legend entries that the open command shows for a file (0 to 9).
int legendEntries(FileKind kind, const ModelTraits& model, QStringView option);

// The column heading line of an exported CSV file; empty when the model has none.
QString exportHeading(const ModelTraits& model, QStringView option);
// The loaded columns that an export of the model writes, in order; empty when the export reads the
// .LOG file again instead.
std::span<const ColumnId> exportedColumns(const ModelTraits& model);

// The table window of a slot. Header texts are string-table entries joined to a fixed prefix; the
// window looks the entries up in the current language.
struct HeaderText {
    QString prefix;
    StringKey text;
};

struct GridColumn {
    ColumnId column;
    HeaderText header;
};

// The record grid shows the time in column 1 and `values` in columns 2 onward; the statistics grid
// has one row per entry of `statistics`, and row r evaluates record-grid column r + 1.
struct TableLayout {
    std::vector<GridColumn> values;
    std::vector<HeaderText> statistics;
};

// The header of the time column.
HeaderText timeHeader();

// The table layout of a file; nullopt for a model that has none. `filledChannels` (1 to 3) counts
// the channels whose process value the file filled: a two- or three-channel layout is only chosen
// when the file filled those channels, so no column the file left empty is shown or evaluated.
std::optional<TableLayout> tableLayout(const ModelTraits& model, QStringView option, bool allChannels, int filledChannels);
// 1, 2 or 3: how many leading channels the columns fill (channel n by its PV column).
int filledChannels(const TraceColumns& columns);
// The Digital entry that titles a table window of the model; nullopt where the title stays the
// graph window's caption.
std::optional<DigitalText> tableTitleKey(const ModelTraits& model);

// Header recognition. A .LOG file names its model in brackets in its first 40 bytes; nullopt when
// the closing bracket is missing.
std::optional<QString> logModelName(QStringView headerString1);
QString logModelOption(QStringView headerString2);

// A CSV file names its model in line 1 ("; QOR1300") and its option in line 2; only the first 40
// characters of either line are looked at.
bool hasCsvModelLine(QStringView line1);
QString csvModelName(QStringView line1);
bool isRecognisedCsvModel(const ModelTraits& model);
// The option of a CSV file's model; nullopt for the models whose option line is not read.
std::optional<QString> csvModelOption(const ModelTraits& model, QStringView line2);
// The models offered for a CSV file of the old storage format, which names none: the model lines
// the selection window lists, in order, with the frame (from 0) that groups each with its kin.
struct ModelChoice {
    QString modelLine;
    int frame = 0;
};
std::vector<ModelChoice> oldCsvModelChoices();
// The channel display code of a QOR1400 family CSV file: the numeric value of the last character of
// the option line (0 for a line that ends in anything but a digit).
int csvChannelDisplayCode(QStringView line2);

} // namespace qor::models
