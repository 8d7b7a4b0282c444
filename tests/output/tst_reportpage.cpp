#include "output/reportpage.h"
#include "output/reportprint.h"
#include "shell/programstate.h"
#include "support/programfolder.h"

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
            const ReportLayout layout = layOutReport(kind, facts());
            QVERIFY(layout.texts.empty());
            QCOMPARE(layout.imageY, 600);
        }
    }

    void thePrintedHeaderHasAPlaceForEveryItem()
    {
        ReportFacts f = facts();
        f.switches = {true, true, true, true, true};
        QCOMPARE(lines(layOutReport(ReportKind::Print, f)),
                 (QStringList{"500,0:File Name     :  /DATA/20150301080000_OVEN.LOG", "500,300:Model     :  QOR1300",
                              "5000,300:Start Time    :  2015-03-01 AM 8:00:00", "10000,300:End Time    :  2015-03-01 PM 2:00:30",
                              "15000,300:Print Comment     :   Batch 7"}));
    }

    // The preview shows the times on the model line, and only there.
    void thePreviewPutsTheTimesOnTheModelLine()
    {
        ReportFacts f = facts();
        f.switches = {false, false, true, true, false};
        QVERIFY(layOutReport(ReportKind::Preview, f).texts.empty());
        QCOMPARE(layOutReport(ReportKind::Print, f).texts.size(), std::size_t{2});
        f.switches = {true, true, false, false, true};
        QCOMPARE(lines(layOutReport(ReportKind::Preview, f)),
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
        QTest::newRow("QOR1000-Z7") << "QOR1000-Z7" << QStringList{} << 600;
        QTest::newRow("QOR1400-Z11") << "QOR1400-Z11" << QStringList{} << 600;
        QTest::newRow("unknown") << "QOR999" << QStringList{} << 600;
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
            const ReportLayout layout = layOutReport(kind, f);
            QCOMPARE(lines(layout), expected);
            QCOMPARE(layout.imageY, imageY);
        }
    }

    void thePageIsStretchedOntoThePrinterPage_data()
    {
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QSizeF>("printed");
        QTest::newRow("portrait") << false << QSizeF(11000, 16000);
        QTest::newRow("landscape") << true << QSizeF(16000, 11000);
    }

    void thePageIsStretchedOntoThePrinterPage()
    {
        QFETCH(bool, landscape);
        QFETCH(QSizeF, printed);
        for (const QSizeF page : {QSizeF(14400, 9000), QSizeF(3000, 20000)}) {
            const QTransform transform = reportPageTransform(page, 1440, landscape);
            QCOMPARE(transform.map(QPointF(0, 0)), QPointF(200, 200));
            QCOMPARE(transform.map(QPointF(page.width(), page.height())), QPointF(200 + printed.width(), 200 + printed.height()));
        }
        // Dots follow the device's resolution.
        QCOMPARE(reportPageTransform(QSizeF(1000, 1000), 720, landscape).map(QPointF(0, 0)), QPointF(100, 100));
    }

    void anUnknownPrinterNameLeavesThePrinterAsItIs()
    {
        QPrinter printer;
        const QString before = printer.printerName();
        QVERIFY(SelectPrinterByName(printer, QStringLiteral("NO SUCH PRINTER 7")));
        QCOMPARE(printer.printerName(), before);
    }

    void thePageIsTheGraphWithRoomAroundIt() { QCOMPARE(reportPageSize(QSizeF(930, 600)), QSizeF(930 * 15 + 450, 600 * 15 + 2000)); }
};

QTEST_MAIN(TestReportPage)
#include "tst_reportpage.moc"
