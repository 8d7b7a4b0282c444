#pragma once

#include "data/datetime.h"
#include "data/modeltable.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRectF>
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
// trend graph below them. A page is laid out in twips on the paper it goes on, texts at 10 points
// and the graph at its screen proportions and text size, and painted onto any device (printer, PDF,
// the preview's picture, a test image), texts as text and the graph at the device's resolution.
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
    // The minimum and maximum texts of the statistics rows, from row 1 on, and which the model lists.
    std::vector<std::pair<QString, QString>> statistics;
    models::ReportCell listedStatistics{};
    datetime::AmPm amPm;
};

// One line of text, its top-left corner in twips.
struct PageText {
    QPoint at;
    QString text;
};

// The paper area a page is laid out on, in twips: 11000 x 16000, or 16000 x 11000 in landscape.
QSizeF reportPageSize(bool landscape);

// What a page is laid out for: its size in twips, the size of the window's graph (whose
// proportions the printed graph keeps) and the font of the texts.
struct PageFrame {
    QSizeF page = reportPageSize(false);
    QSizeF graphPixels{930, 600};
    QFont font;
};

// The texts of a page and the place of the graph under them, in twips.
struct ReportLayout {
    std::vector<PageText> texts;
    QRectF graphArea;
};

inline constexpr int ImageX = 200;

// Each text stands at its own place (file name at (500, 0), model, first time, last time and
// comment at X 500, 5000, 10000 and 15000 of Y 300, range line at (500, 600), statistics pairs at
// X 500/4000, 8000/12000 and 16000/20000 from Y 900 on) where the page is wide enough and nothing
// before it is in the way; otherwise it moves right or onto a line of its own, and the statistics
// take as many pairs on a line as fit. The graph follows, as wide as the page allows.
ReportLayout layOutReport(ReportKind kind, const ReportFacts& facts, const PageFrame& frame);

// The facts of the page of the graph window's slot: its file, its range cursors and statistics.
ReportFacts reportFactsOf(const GraphWindow& window);

// The frame of the window's page on a page of `page` twips.
PageFrame pageFrameOf(const GraphWindow& window, QSizeF page);

// Paints the page of `page` twips from (0, 0): the background, the texts and the window's graph.
void paintReport(QPainter& painter, const ReportLayout& layout, const GraphWindow& window, const QColor& background, QSizeF page);

} // namespace qor::output
