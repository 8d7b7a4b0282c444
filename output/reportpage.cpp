#include "reportpage.h"

#include "data/loadeddataset.h"
#include "data/modeltable.h"
#include "graph/graphwindow.h"
#include "graph/trendgraph.h"
#include "shell/graphsettings.h"
#include "shell/layoutscaler.h"
#include "shell/legendstate.h"
#include "shell/programstate.h"
#include "shell/stringtable.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace qor::output {

namespace {

constexpr int FontPointSize = 10;
constexpr int TwipsPerPoint = 20;
constexpr int LeftX = 500;
constexpr int LineStep = 300;
constexpr int ModelLineY = 300;
constexpr int RangeLineY = 600;
constexpr int Gap = 200; // the least room between two texts of a line
constexpr std::array PairFirstX{500, 8000, 16000};
constexpr std::array PairSecondX{4000, 12000, 20000};

QString timeText(const std::optional<double>& serial, const datetime::AmPm& amPm)
{
    return serial ? datetime::generalText(*serial, amPm) : QString();
}

// Puts texts on lines of the page: each at its own X where it fits after the text before it and
// before the right edge, otherwise at the start of the next line; a text wider than the page is
// broken over lines.
class LineFlow {
  public:
    LineFlow(const QFontMetricsF& metrics, double right, std::vector<PageText>& texts)
        : m_metrics(metrics)
        , m_right(right)
        , m_texts(texts)
    {
    }

    // Starts a new line at `y` at the earliest, below everything placed so far.
    void startLine(int y)
    {
        m_y = std::max(y, m_lineUsed ? m_y + LineStep : m_y);
        m_lineUsed = false;
        m_lineEnd = 0;
    }

    void place(int x, QString text)
    {
        double at = m_lineUsed ? std::max<double>(x, m_lineEnd + Gap) : x;
        if (at + m_metrics.horizontalAdvance(text) > m_right) {
            if (m_lineUsed)
                startLine(m_y);
            at = LeftX;
        }
        while (LeftX + m_metrics.horizontalAdvance(text) > m_right && text.size() > 1) {
            const qsizetype cut = fittingLength(text);
            put(at, text.left(cut));
            text = text.mid(cut);
            startLine(m_y);
        }
        put(at, text);
    }

    // The Y under the last line.
    int bottom() const { return m_lineUsed ? m_y + LineStep : m_y; }

  private:
    void put(double x, const QString& text)
    {
        m_texts.push_back({QPoint(static_cast<int>(std::ceil(x)), m_y), text});
        m_lineEnd = x + m_metrics.horizontalAdvance(text);
        m_lineUsed = true;
    }

    // The longest start of `text` that fits on a line, ending after a blank where there is one.
    qsizetype fittingLength(const QString& text) const
    {
        qsizetype length = 1;
        while (length < text.size() && LeftX + m_metrics.horizontalAdvance(text.left(length + 1)) <= m_right)
            ++length;
        const qsizetype blank = text.lastIndexOf(u' ', length - 1);
        return blank > 0 && length < text.size() ? blank + 1 : length;
    }

    const QFontMetricsF& m_metrics;
    double m_right;
    std::vector<PageText>& m_texts;
    int m_y = 0;
    bool m_lineUsed = false;
    double m_lineEnd = 0;
};

void addHeader(ReportKind kind, const ReportFacts& facts, LineFlow& flow)
{
    const bool print = kind == ReportKind::Print;
    const QString first = timeText(facts.firstTime, facts.amPm);
    const QString last = timeText(facts.lastTime, facts.amPm);
    if (facts.switches[0])
        flow.place(LeftX, stringEntry(FileinfoText::FileName) + (print ? u"     :  " : u" :  ") + facts.filePath.toUpper());
    flow.startLine(ModelLineY);
    // The preview puts the times on the model line instead of their own places.
    if (facts.switches[1])
        flow.place(LeftX,
                   print ? stringEntry(FileinfoText::Model) + u"     :  " + facts.model : modelAndTimesLine(facts.model, first, last));
    if (print && facts.switches[2])
        flow.place(5000, stringEntry(FileinfoText::StartTime) + u"    :  " + first);
    if (print && facts.switches[3])
        flow.place(10000, stringEntry(FileinfoText::EndTime) + u"    :  " + last);
    if (facts.switches[4])
        flow.place(15000, stringEntry(FileinfoText::PrintComment) + (print ? u"     :   " : u" :   ") + facts.printComment);
}

// The X of the two parts of the statistics pairs of each column that fits on the page: at their own
// places where the widest parts leave room.
std::vector<std::pair<double, double>> pairColumns(const QFontMetricsF& metrics, const QStringList& firsts, const QStringList& seconds,
                                                   double right)
{
    double firstWidth = 0;
    double secondWidth = 0;
    for (const QString& first : firsts)
        firstWidth = std::max(firstWidth, metrics.horizontalAdvance(first));
    for (const QString& second : seconds)
        secondWidth = std::max(secondWidth, metrics.horizontalAdvance(second));
    std::vector<std::pair<double, double>> columns;
    double end = 0;
    for (std::size_t c = 0; c < PairFirstX.size(); ++c) {
        const double first = c == 0 ? PairFirstX[c] : std::max<double>(PairFirstX[c], end + Gap);
        const double second = std::max<double>(PairSecondX[c], first + firstWidth + Gap);
        end = second + secondWidth;
        if (c > 0 && end > right)
            break;
        columns.emplace_back(first, second);
    }
    return columns;
}

// The cursor-time line and the statistics pairs under it.
void addRangeLines(const ReportFacts& facts, const QFontMetricsF& metrics, double right, LineFlow& flow)
{
    flow.startLine(RangeLineY);
    flow.place(LeftX, stringEntry(GraphText::Range) + u"   :   " + facts.rangeFrom + u"   ~   " + facts.rangeTo);
    const models::ReportCell& report = facts.listedStatistics;
    const QString minimum = u"  (" + stringEntry(DigitalText::Minimum) + u")  :  ";
    const QString maximum = u"(" + stringEntry(DigitalText::Maximum) + u")  :  ";
    QStringList firsts;
    QStringList seconds;
    for (int row = 0; row < report.rows; ++row) {
        const auto [low, high] = row < static_cast<int>(facts.statistics.size()) ? facts.statistics[static_cast<std::size_t>(row)]
                                                                                 : std::pair<QString, QString>{};
        firsts << stringEntry(keyAfter(report.firstLabel, row)) + minimum + low;
        seconds << maximum + high;
    }
    const std::vector<std::pair<double, double>> columns = pairColumns(metrics, firsts, seconds, right);
    for (qsizetype row = 0; row < firsts.size(); ++row) {
        const auto column = static_cast<std::size_t>(row) % columns.size();
        if (column == 0)
            flow.startLine(0);
        flow.place(static_cast<int>(std::ceil(columns[column].first)), firsts[row]);
        flow.place(static_cast<int>(std::ceil(columns[column].second)), seconds[row]);
    }
}

// The graph at its window's proportions, as large as the page allows under the texts.
QRectF graphArea(const PageFrame& frame, int top)
{
    const QSizeF room(frame.page.width() - 2 * ImageX, frame.page.height() - top - ImageX);
    QSizeF size = frame.graphPixels.isEmpty() ? room : frame.graphPixels.scaled(room, Qt::KeepAspectRatio);
    return {QPointF(ImageX, top), size.expandedTo(QSizeF(0, 0))};
}

QFont pageFont(QFont font)
{
    font.setPixelSize(FontPointSize * TwipsPerPoint);
    return font;
}

// The graph drawn for the size of `area`, at its screen text size.
void paintGraph(QPainter& painter, const TrendGraph& graph, const QRectF& area)
{
    painter.save();
    painter.translate(area.topLeft());
    painter.scale(LayoutScaler::TwipsPerPixel, LayoutScaler::TwipsPerPixel);
    graph.paintGraph(painter, QRectF(QPointF(0, 0), area.size() / LayoutScaler::TwipsPerPixel));
    painter.restore();
}

} // namespace

QSizeF reportPageSize(bool landscape)
{
    const QSizeF portrait(11000, 16000);
    return landscape ? portrait.transposed() : portrait;
}

ReportLayout layOutReport(ReportKind kind, const ReportFacts& facts, const PageFrame& frame)
{
    ReportLayout layout;
    const QFontMetricsF metrics(pageFont(frame.font));
    const double right = frame.page.width() - ImageX;
    LineFlow flow(metrics, right, layout.texts);
    addHeader(kind, facts, flow);
    if (facts.rangeCursorsOn)
        addRangeLines(facts, metrics, right, flow);
    flow.startLine(RangeLineY);
    layout.graphArea = graphArea(frame, flow.bottom());
    return layout;
}

ReportFacts reportFactsOf(const GraphWindow& window)
{
    const SlotData& slot = loadedData().slot(window.slot());
    ReportFacts facts{.filePath = slot.FilePath,
                      .model = slot.ModelName(),
                      .firstTime = slot.FirstTime,
                      .lastTime = slot.LastTime,
                      .printComment = slot.PrintComment,
                      .rangeCursorsOn = legendState().isOn(LegendState::RangeCursorsItem, window.slot()),
                      .rangeFrom = window.cursors().rangeReadout(2),
                      .rangeTo = window.cursors().rangeReadout(3),
                      .statistics = {},
                      .listedStatistics = slot.traits().report,
                      .amPm = interfaceAmPm()};
    for (std::size_t n = 0; n < facts.switches.size(); ++n)
        facts.switches[n] = graphSettings().PrintInfo[n] != 0;
    for (const StatisticsRow& row : window.rangeStatistics()) {
        const std::array<QString, 7> texts = statisticsTexts(row);
        facts.statistics.emplace_back(texts[1], texts[2]);
    }
    return facts;
}

PageFrame pageFrameOf(const GraphWindow& window, QSizeF page)
{
    return {.page = page, .graphPixels = window.CWGraph1()->size(), .font = window.PicPrint()->font()};
}

void paintReport(QPainter& painter, const ReportLayout& layout, const GraphWindow& window, const QColor& background, QSizeF page)
{
    painter.fillRect(QRectF(QPointF(0, 0), page), background);
    painter.setFont(pageFont(window.PicPrint()->font()));
    painter.setPen(Qt::black);
    for (const PageText& text : layout.texts)
        painter.drawText(QRectF(text.at, QSizeF(1e6, 1e4)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text.text);
    paintGraph(painter, *window.CWGraph1(), layout.graphArea);
}

} // namespace qor::output
