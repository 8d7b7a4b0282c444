#include "output/reportpage.h"
#include "output/reportprint.h"
#include "shell/programstate.h"
#include "support/programfolder.h"

#include <QFontMetricsF>
#include <QPrinter>
#include <QTest>

using namespace qor;
using namespace qor::output;

namespace {

const datetime::AmPm English{QStringLiteral("AM"), QStringLiteral("PM")};

ReportFacts facts(const QString& model = QStringLiteral("QOR1300"))
{
    ReportFacts f;
    f.filePath = QStringLiteral("/data/20150301080000_oven.log");
    f.model = model;
    f.listedStatistics = models::traitsOf(model).report;
    f.firstTime = datetime::addSeconds(datetime::dateSerial(2015, 3, 1), 8 * 3600);
    f.lastTime = datetime::addSeconds(datetime::dateSerial(2015, 3, 1), 14 * 3600 + 30);
    f.printComment = QStringLiteral("Batch 7");
    f.rangeFrom = QStringLiteral("03/01 08:10:00");
    f.rangeTo = QStringLiteral("03/01 09:00:00");
    for (int row = 1; row <= 9; ++row)
        f.statistics.emplace_back(QStringLiteral("lo%1").arg(row), QStringLiteral("hi%1").arg(row));
    f.amPm = English;
    return f;
}

// A page wide enough for every text at its own place.
const PageFrame Wide{.page = QSizeF(30000, 16000), .graphPixels = QSizeF(930, 600), .font = QFont()};

// The page's texts as "x,y:text" lines, for comparing whole pages.
QStringList lines(const ReportLayout& layout)
{
    QStringList out;
    for (const PageText& t : layout.texts)
        out << QStringLiteral("%1,%2:%3").arg(t.at.x()).arg(t.at.y()).arg(t.text);
    return out;
}

} // namespace

class TestReportPage : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ProgramFolder> m_folder;

  private Q_SLOTS:
    void init() { m_folder = std::make_unique<ProgramFolder>(); }
    void cleanup() { m_folder.reset(); }

    void withEverythingOffOnlyTheGraphIsOnThePage()
    {
        for (ReportKind kind : {ReportKind::Print, ReportKind::Preview}) {
            const ReportLayout layout = layOutReport(kind, facts(), Wide);
            QVERIFY(layout.texts.empty());
            QCOMPARE(layout.graphArea.top(), 600);
        }
    }

    void thePrintedHeaderHasAPlaceForEveryItem()
    {
        ReportFacts f = facts();
        f.switches = {true, true, true, true, true};
        QCOMPARE(lines(layOutReport(ReportKind::Print, f, Wide)),
                 (QStringList{"500,0:File Name     :  /DATA/20150301080000_OVEN.LOG", "500,300:Model     :  QOR1300",
                              "5000,300:Start Time    :  2015-03-01 AM 8:00:00", "10000,300:End Time    :  2015-03-01 PM 2:00:30",
                              "15000,300:Print Comment     :   Batch 7"}));
    }

    // The preview shows the times on the model line, and only there.
    void thePreviewPutsTheTimesOnTheModelLine()
    {
        ReportFacts f = facts();
        f.switches = {false, false, true, true, false};
        QVERIFY(layOutReport(ReportKind::Preview, f, Wide).texts.empty());
        QCOMPARE(layOutReport(ReportKind::Print, f, Wide).texts.size(), std::size_t{2});
        f.switches = {true, true, false, false, true};
        QCOMPARE(lines(layOutReport(ReportKind::Preview, f, Wide)),
                 (QStringList{"500,0:File Name :  /DATA/20150301080000_OVEN.LOG",
                              "500,300:Model :  QOR1300" + QString(20, u' ') + "Start Time : 2015-03-01 AM 8:00:00" + QString(15, u' ') +
                                  "End Time : 2015-03-01 PM 2:00:30",
                              "15000,300:Print Comment :   Batch 7"}));
    }

    void everyModelListsItsStatisticsRows_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QStringList>("firstLabels"); // the row labels, from row 1 on
        QTest::addColumn<int>("imageY");
        const QStringList oneChannel{"PV", "SP", "MV"};
        const QStringList twoZones{"PV", "SP", "MV", "HPV", "HSP", "HMV"};
        QTest::newRow("QOR1300") << "QOR1300"
                                 << QStringList{"Hi.PV", "Hi.SP", "Hi.MV", "Exp.PV", "Exp.SP", "Exp.MV", "Lo.PV", "Lo.SP", "Lo.MV"} << 1800;
        QTest::newRow("QOR1200") << "QOR1200" << twoZones << 1500;
        QTest::newRow("QOR520") << "QOR520" << twoZones << 1500;
        for (const char* model : {"QOR1000", "QOR1100", "QOR500", "QOR510", "QOR1400"})
            QTest::newRow(model) << model << oneChannel << 1200;
        // The graph stays clear of the range line.
        QTest::newRow("QOR1000-Z7") << "QOR1000-Z7" << QStringList{} << 900;
        QTest::newRow("QOR1400-Z11") << "QOR1400-Z11" << QStringList{} << 900;
        QTest::newRow("unknown") << "QOR999" << QStringList{} << 900;
    }

    void everyModelListsItsStatisticsRows()
    {
        QFETCH(QString, model);
        QFETCH(QStringList, firstLabels);
        QFETCH(int, imageY);
        ReportFacts f = facts(model);
        f.rangeCursorsOn = true;
        QStringList expected{"500,600:Range   :   03/01 08:10:00   ~   03/01 09:00:00"};
        const int firstX[] = {500, 8000, 16000};
        const int secondX[] = {4000, 12000, 20000};
        for (int row = 0; row < firstLabels.size(); ++row) {
            const int y = 900 + row / 3 * 300;
            expected << QStringLiteral("%1,%2:%3  (Minimum)  :  lo%4").arg(firstX[row % 3]).arg(y).arg(firstLabels[row]).arg(row + 1)
                     << QStringLiteral("%1,%2:(Maximum)  :  hi%3").arg(secondX[row % 3]).arg(y).arg(row + 1);
        }
        for (ReportKind kind : {ReportKind::Print, ReportKind::Preview}) {
            const ReportLayout layout = layOutReport(kind, f, Wide);
            QCOMPARE(lines(layout), expected);
            QCOMPARE(layout.graphArea.top(), imageY);
        }
    }

    // Page twips are the paper's, from 200 twips inside the printable area, at the device's dots.
    void thePageStandsOnThePaperAtTheDevicesResolution()
    {
        QCOMPARE(reportPageTransform(1440).map(QPointF(0, 0)), QPointF(200, 200));
        QCOMPARE(reportPageTransform(1440).map(QPointF(11000, 16000)), QPointF(11200, 16200));
        QCOMPARE(reportPageTransform(720).map(QPointF(1000, 1000)), QPointF(600, 600));
        QCOMPARE(reportPageSize(false), QSizeF(11000, 16000));
        QCOMPARE(reportPageSize(true), QSizeF(16000, 11000));
    }

    // On any page, however narrow, and for any graph, every text and the graph are on the page and
    // no two texts cover each other; a comment too long for a line goes on over the next ones.
    void everyTextIsOnThePageAndClearOfTheOthers_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<QSizeF>("graph");
        QTest::newRow("portrait") << 11000.0 << QSizeF(1200, 800);
        QTest::newRow("landscape") << 16000.0 << QSizeF(1920, 1000);
        QTest::newRow("narrow") << 6000.0 << QSizeF(400, 900);
        QTest::newRow("tall graph") << 11000.0 << QSizeF(300, 4000);
    }

    void everyTextIsOnThePageAndClearOfTheOthers()
    {
        QFETCH(double, width);
        QFETCH(QSizeF, graph);
        ReportFacts f = facts();
        f.switches = {true, true, true, true, true};
        f.rangeCursorsOn = true;
        f.printComment =
            QStringLiteral("Kiln 4 after the burner repair, second firing of the week, sampled by the night shift").repeated(2);
        const PageFrame frame{.page = QSizeF(width, 16000), .graphPixels = graph, .font = QFont()};
        for (ReportKind kind : {ReportKind::Print, ReportKind::Preview}) {
            const ReportLayout layout = layOutReport(kind, f, frame);
            QFont font;
            font.setPixelSize(200);
            const QFontMetricsF metrics(font);
            std::vector<QRectF> boxes;
            QString shown;
            for (const PageText& t : layout.texts) {
                const QRectF box(t.at, QSizeF(metrics.horizontalAdvance(t.text), 200));
                QVERIFY2(box.left() >= 0 && box.right() <= width, qPrintable(t.text));
                for (const QRectF& other : boxes)
                    QVERIFY2(!box.intersects(other), qPrintable(t.text));
                boxes.push_back(box);
                shown += t.text;
            }
            QVERIFY(shown.remove(u' ').contains(QString(f.printComment).remove(u' ')));
            QVERIFY(shown.contains(QStringLiteral("Lo.MV(Minimum):lo9(Maximum):hi9")));
            const QRectF area = layout.graphArea;
            QVERIFY(area.top() >= boxes.back().bottom() && area.left() >= 0 && area.right() <= width && area.bottom() <= 16000);
            QVERIFY(area.width() > 0 && area.height() > 0);
            QCOMPARE(qRound(area.width() / area.height() * 100), qRound(graph.width() / graph.height() * 100));
        }
    }

    void anUnknownPrinterNameLeavesThePrinterAsItIs()
    {
        QPrinter printer;
        const QString before = printer.printerName();
        QVERIFY(SelectPrinterByName(printer, QStringLiteral("NO SUCH PRINTER 7")));
        QCOMPARE(printer.printerName(), before);
    }
};

QTEST_MAIN(TestReportPage)
#include "tst_reportpage.moc"
