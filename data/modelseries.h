#pragma once

#include "textkeys.h"
#include "tracecolumns.h"

#include <QString>
#include <QStringView>

#include <array>
#include <optional>
#include <vector>

// How the graph windows name the series of each recorder model: the legend captions and window
// title, and the rows of the single-cursor readout and the range statistics. Names are entries of the
// string table's Graph section, with a prefix where a channel or the option text goes before them.
namespace qor::models {

struct ModelTraits;

struct NamedSeries {
    QString prefix;     // put before the name ("CH 1 ", or the option text and a blank)
    GraphText graphKey; // the name
    ColumnId column;    // the series shown or evaluated
};

// The legend captions Label(1..n) and the title entry of a window showing the model's file;
// nullopt for a model that leaves the window's texts as they are.
struct LegendCaptions {
    GraphText titleKey;
    std::vector<NamedSeries> items;
};
std::optional<LegendCaptions> legendCaptions(const ModelTraits& model, QStringView option);

// The rows of the single-cursor readout and of the range statistics, in order; empty for a model
// that has none. `channelCode` is the QOR1400 family's channel display code (0: all channels).
std::vector<NamedSeries> readoutSeries(const ModelTraits& model, QStringView option, int channelCode);

// The names of the three channel rows of the display settings window: a text and an entry put after
// it, if any. Without a model file: "CH1" to "CH3".
struct ChannelName {
    QString text;
    std::optional<GraphSetText> graphSetKey;
};
std::array<ChannelName, 3> settingsChannelNames(const ModelTraits& model, bool allChannels);

} // namespace qor::models
