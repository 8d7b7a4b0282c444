#include "reportpage.h"

#include "data/loadeddataset.h"
#include "data/modeltable.h"
#include "graph/graphlegend.h"
#include "graph/graphwindow.h"
#include "graph/trendgraph.h"
#include "shell/graphsettings.h"
#include "shell/layoutscaler.h"
#include "shell/legendstate.h"
#include "shell/programstate.h"
#include "shell/stringtable.h"
#include "table/spreadgrid.h"

#include <QLabel>
#include <QPainter>

namespace qor::output {

namespace {

constexpr int FontPointSize = 10;
constexpr int TwipsPerPoint = 20;
constexpr int StatisticsPairsPerLine = 3;
constexpr std::array PairFirstX{500, 8000, 16000};
constexpr std::array PairSecondX{4000, 12000, 20000};
constexpr int FirstStatisticsY = 900;
constexpr int LineStep = 300;
constexpr int DefaultImageY = 600;

QString timeText(const std::optional<double>& serial, const datetime::AmPm& amPm)
{
    return serial ? datetime::generalText(*serial, amPm) : QString();
}

void addHeader(ReportKind kind, const ReportFacts& facts, std::vector<PageText>& texts)
{
    const bool print = kind == ReportKind::Print;
    const QString first = timeText(facts.firstTime, facts.amPm);
    const QString last = timeText(facts.lastTime, facts.amPm);
    if (facts.switches[0])
        texts.push_back({{500, 0}, stringEntry(FileinfoText::FileName) + (print ? u"     :  " : u" :  ") + facts.filePath.toUpper()});
    if (facts.switches[1]) {
        QString line = stringEntry(FileinfoText::Model) + (print ? u"     :  " : u" :  ") + facts.model;
        // The preview puts the times on the model line instead of their own places.
        if (!print)
            line += QString(20, u' ') + stringEntry(FileinfoText::StartTime) + u" : " + first + QString(15, u' ') +
                    stringEntry(FileinfoText::EndTime) + u" : " + last;
        texts.push_back({{500, 300}, line});
    }
    if (print && facts.switches[2])
        texts.push_back({{5000, 300}, stringEntry(FileinfoText::StartTime) + u"    :  " + first});
    if (print && facts.switches[3])
        texts.push_back({{10000, 300}, stringEntry(FileinfoText::EndTime) + u"    :  " + last});
    if (facts.switches[4])
        texts.push_back({{15000, 300}, stringEntry(FileinfoText::PrintComment) + (print ? u"     :   " : u" :   ") + facts.printComment});
}

// The cursor-time line and the statistics pairs; returns the image Y that follows them.
int addRangeLines(const ReportFacts& facts, std::vector<PageText>& texts)
{
    texts.push_back({{500, DefaultImageY}, stringEntry(GraphText::Range) + u"   :   " + facts.rangeFrom + u"   ~   " + facts.rangeTo});
    const models::ReportCell report = models::traitsOf(facts.model).report;
    const QString minimum = u"  (" + stringEntry(DigitalText::Minimum) + u")  :  ";
    const QString maximum = u"(" + stringEntry(DigitalText::Maximum) + u")  :  ";
    for (int row = 0; row < report.rows; ++row) {
        const auto [low, high] = row < static_cast<int>(facts.statistics.size()) ? facts.statistics[static_cast<std::size_t>(row)]
                                                                                 : std::pair<QString, QString>{};
        const int y = FirstStatisticsY + row / StatisticsPairsPerLine * LineStep;
        const auto column = static_cast<std::size_t>(row % StatisticsPairsPerLine);
        texts.push_back({{PairFirstX[column], y}, stringEntry(keyAfter(report.firstLabel, row)) + minimum + low});
        texts.push_back({{PairSecondX[column], y}, maximum + high});
    }
    // A model without statistics rows keeps the image at Y 600, over the cursor-time line.
    if (report.rows == 0)
        return DefaultImageY;
    const int lines = (report.rows + StatisticsPairsPerLine - 1) / StatisticsPairsPerLine;
    return FirstStatisticsY + lines * LineStep;
}

} // namespace

ReportLayout layOutReport(ReportKind kind, const ReportFacts& facts)
{
    ReportLayout layout;
    addHeader(kind, facts, layout.texts);
    if (facts.rangeCursorsOn)
        layout.imageY = addRangeLines(facts, layout.texts);
    return layout;
}

ReportFacts reportFactsOf(const GraphWindow& window)
{
    const SlotData& slot = loadedData().slot(window.slot());
    ReportFacts facts{.filePath = slot.FilePath,
                      .model = slot.ModelName,
                      .firstTime = slot.FirstTime,
                      .lastTime = slot.LastTime,
                      .printComment = slot.PrintComment,
                      .rangeCursorsOn = legendState().isOn(LegendState::RangeCursorsItem, window.slot()),
                      .rangeFrom = window.legend()->readout(2)->text(),
                      .rangeTo = window.legend()->readout(3)->text(),
                      .statistics = {},
                      .amPm = interfaceAmPm()};
    for (std::size_t n = 0; n < facts.switches.size(); ++n)
        facts.switches[n] = graphSettings().PrintInfo[n] != 0;
    const SpreadGrid& grid = *window.legend()->statisticsGrid();
    for (int row = 1; row <= grid.MaxRows(); ++row)
        facts.statistics.emplace_back(grid.GetText(1, row), grid.GetText(2, row));
    return facts;
}

QSizeF reportPageSize(QSizeF graphPixels)
{
    return {graphPixels.width() * LayoutScaler::TwipsPerPixel + 450, graphPixels.height() * LayoutScaler::TwipsPerPixel + 2000};
}

void paintReport(QPainter& painter, const ReportLayout& layout, const GraphWindow& window, const QColor& background)
{
    const TrendGraph& graph = *window.CWGraph1();
    painter.fillRect(QRectF(QPointF(0, 0), reportPageSize(graph.size())), background);
    QFont font = window.PicPrint()->font();
    font.setPixelSize(FontPointSize * TwipsPerPoint);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (const PageText& text : layout.texts)
        painter.drawText(QRectF(text.at, QSizeF(1e6, 1e4)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text.text);
    painter.save();
    painter.translate(ImageX, layout.imageY);
    painter.scale(LayoutScaler::TwipsPerPixel, LayoutScaler::TwipsPerPixel);
    graph.paintGraph(painter, QRectF(QPointF(0, 0), graph.size()));
    painter.restore();
}

} // namespace qor::output
