#pragma once

#include "data/datetime.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QSizeF>
#include <QString>

#include <array>
#include <optional>
#include <vector>

class QPainter;

namespace qor {
class GraphWindow;
}

// The one-page report of a recording: header lines, the range-cursor times and statistics, and the
// trend graph below them. Pages are composed in twips and painted onto any device (printer, PDF,
// the preview's picture box, a test image), texts as text and the graph at the device's resolution.
namespace qor::output {

// The printed page, or the preview of it on screen (grey, the times on the model line).
enum class ReportKind { Print, Preview };

// What the page of a slot shows.
struct ReportFacts {
    QString filePath;
    QString model;
    std::optional<double> firstTime;
    std::optional<double> lastTime;
    QString printComment;
    std::array<bool, 5> switches{}; // file name, model, first time, last time, comment
    bool rangeCursorsOn = false;
    QString rangeFrom; // the readouts of the two range cursors
    QString rangeTo;
    // The minimum and maximum texts of the statistics grid's rows, from row 1 on.
    std::vector<std::pair<QString, QString>> statistics;
    datetime::AmPm amPm;
};

// One line of text, its top-left corner in twips.
struct PageText {
    QPoint at;
    QString text;
};

// The texts of a page and the top of the graph image under them.
struct ReportLayout {
    std::vector<PageText> texts;
    int imageY = 600; // without range lines
};

inline constexpr int ImageX = 200;

ReportLayout layOutReport(ReportKind kind, const ReportFacts& facts);

// The facts of the page of the graph window's slot, as its legend and statistics grid show them.
ReportFacts reportFactsOf(const GraphWindow& window);

// The page's size in twips for a graph of `graphPixels`: 450 twips wider and 2000 higher.
QSizeF reportPageSize(QSizeF graphPixels);

// Paints the page in twips from (0, 0): the background, the texts at size 10 of `font` and the
// window's graph at (ImageX, imageY).
void paintReport(QPainter& painter, const ReportLayout& layout, const GraphWindow& window, const QColor& background);

} // namespace qor::output
