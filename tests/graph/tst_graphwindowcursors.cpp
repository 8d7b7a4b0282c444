#include "shell/programstate.h"
#include "support/fixtures.h"
#include "support/programfolder.h"

#include "data/datetime.h"
#include "data/loadeddataset.h"
#include "graph/graphlegend.h"
#include "graph/graphwindow.h"
#include "graph/trendgraph.h"
#include "shell/main/mainwindow.h"
#include "support/scriptedprompts.h"
#include "table/spreadgrid.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace qor;

namespace {

// Value v of record r: "(v+1)(r%50).5", so that every series and record reads differently.
double plotValue(int record, int value)
{
    return (value + 1) * 10 + record % 50 + 0.5;
}

QString valueText(int record, int value)
{
    return QString::number(plotValue(record, value));
}

std::int64_t secondsOf(double serial)
{
    return datetime::secondsFromSerial(serial) - datetime::secondsFromSerial(ProgramFolder::at(0));
}

constexpr const char* Untouched = "untouched";

} // namespace

class TestGraphWindowCursors : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<MainWindow> m_main;
    ScriptedPrompts* m_prompts = nullptr;

    GraphWindow& open(const QString& path)
    {
        if (!m_main->openFile(path))
            qFatal("the file %s did not open", qPrintable(path));
        return *graphWindow(loadedData().FileNo);
    }

    // Range cursors on records `first` and `last`, then the statistics button.
    void statisticsOver(GraphWindow& window, int first, int last)
    {
        if (!legendState().isOn(LegendState::RangeCursorsItem, window.slot()))
            window.legendClicked(LegendState::RangeCursorsItem);
        window.CWGraph1()->cursor(2).setPointIndex(first);
        window.CWGraph1()->cursor(3).setPointIndex(last);
        window.cursors().cursorMoved(3, 0);
        QTest::mouseClick(window.legend()->statisticsButton(), Qt::LeftButton);
    }

  private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        m_prompts = &ScriptedPrompts::install();
        m_main = std::make_unique<MainWindow>();
        m_main->show();
    }
    void cleanup()
    {
        m_main.reset();
        m_folder.reset();
    }

    void singleCursorReadoutByModel_data()
    {
        QTest::addColumn<QByteArray>("model");
        QTest::addColumn<QByteArray>("option");
        QTest::addColumn<QString>("channelCode");
        QTest::addColumn<QStringList>("expected"); // "name : value index" or untouched
        const QStringList triple = {"PV : 0", "SP : 1", "MV : 2"};
        auto prefixed = [](const QStringList& prefixes, const QStringList& names) {
            QStringList out;
            int value = 0;
            for (const QString& prefix : prefixes) {
                for (const QString& name : names)
                    out << prefix + name.section(' ', 0, 1) + ' ' + QString::number(value++);
            }
            return out;
        };
        QTest::newRow("QOR1000 named") << QByteArray("QOR1000") << QByteArray("OVEN") << "0" << prefixed({"OVEN "}, triple);
        QTest::newRow("QOR1000 two channels") << QByteArray("QOR1000") << QByteArray() << "0" << prefixed({"CH 1 ", "CH 2 "}, triple);
        QTest::newRow("QOR1000-Z7") << QByteArray("QOR1000-Z7") << QByteArray() << "0"
                                    << QStringList{"PV : 0", "SP : 1", "MV1 : 2", "MV2 : 3"};
        QTest::newRow("QOR1200") << QByteArray("QOR1200") << QByteArray() << "0"
                                 << QStringList{"PV : 0", "SP : 1", "MV : 2", "HPV : 3", "HSP : 4", "HMV : 5"};
        QTest::newRow("QOR1300") << QByteArray("QOR1300") << QByteArray() << "0"
                                 << QStringList{"Hi.PV : 0",  "Hi.SP : 1", "Hi.MV : 2", "Exp.PV : 3", "Exp.SP : 4",
                                                "Exp.MV : 5", "Lo.PV : 6", "Lo.SP : 7", "Lo.MV : 8"};
        QTest::newRow("QOR1400 code 0") << QByteArray("QOR1400") << QByteArray() << "0" << prefixed({"CH 1 ", "CH 2 ", "CH 3 "}, triple);
        QTest::newRow("QOR1400 code 1") << QByteArray("QOR1400") << QByteArray() << "1" << prefixed({"CH 1 ", "CH 2 "}, triple);
        QTest::newRow("QOR1400 named, code 1") << QByteArray("QOR1400") << QByteArray("ZONE") << "1" << prefixed({"ZONE "}, triple);
        QTest::newRow("other model") << QByteArray("QOR9999") << QByteArray() << "0" << QStringList{};
    }
    void singleCursorReadoutByModel()
    {
        QFETCH(QByteArray, model);
        QFETCH(QByteArray, option);
        QFETCH(QString, channelCode);
        QFETCH(QStringList, expected);
        GraphWindow& window = open(m_folder->writeLog(model, option, 600, 1, plotValue));
        window.setLabel3(5, channelCode);
        for (int item = 1; item <= 9; ++item)
            window.legend()->itemText(item)->setText(Untouched);
        window.legendClicked(LegendState::SingleCursorItem);
        TrendGraph& graph = *window.CWGraph1();
        QCOMPARE(graph.cursor(1).pointIndex(), 300); // the middle of the shown range
        QCOMPARE(graph.annotation(1).caption(), "  2015-03-01 AM 8:05:00");
        QVERIFY(graph.annotation(1).isVisible());
        QCOMPARE(graph.trackMode(), TrendGraph::TrackDragCursor);

        graph.cursor(1).setPointIndex(7);
        window.cursors().cursorMoved(1, 40);
        for (int item = 1; item <= 9; ++item) {
            QString want = Untouched;
            if (item <= expected.size()) {
                const QString& e = expected[item - 1];
                want = e.section(' ', 0, -2) + ' ' + valueText(7, e.section(' ', -1).toInt());
            }
            QCOMPARE(window.legend()->itemText(item)->text(), want);
        }
        QCOMPARE(graph.annotation(1).caption(), "  2015-03-01 AM 8:00:07");
        QCOMPARE(graph.annotation(1).x(), graph.cursor(1).x());
        QCOMPARE(graph.annotation(1).y(), 60.0);
    }

    // A cursor's time label leaves the view with its cursor and comes back with it.
    void aCursorLabelGoesWithItsCursor()
    {
        GraphWindow& window = open(m_folder->writeLog("QOR1300", {}, 600, 1, plotValue));
        window.legendClicked(LegendState::SingleCursorItem);
        TrendGraph& graph = *window.CWGraph1();
        TrendAxis& time = graph.axis(GraphAxis::Time);
        const auto [first, last] = std::pair(time.minimum(), time.maximum());
        const auto picture = [&](bool labelled) {
            graph.annotation(1).setVisible(labelled);
            return graph.controlImage();
        };
        QVERIFY(picture(true) != picture(false)); // in view the label is drawn

        time.setMinMax(ProgramFolder::at(400), last); // the cursor at 08:05:00 is out of view
        QCOMPARE(picture(true), picture(false));

        time.setMinMax(first, last);
        QVERIFY(picture(true) != picture(false));
    }

    // Records ten seconds apart over more than two days; the shown range starts at 09:00.
    void rangeCursorsStandInsideTheShownSpan_data()
    {
        QTest::addColumn<int>("span");
        QTest::addColumn<int>("inset");
        QTest::newRow("30 s") << 30 << 10; // a third of the span at most
        QTest::newRow("180 s") << 180 << 20;
        QTest::newRow("181 s") << 181 << 60;
        QTest::newRow("600 s") << 600 << 60;
        QTest::newRow("601 s") << 601 << 200; // five minutes would leave a second between them
        QTest::newRow("15 min") << 900 << 300;
        QTest::newRow("61 min") << 3660 << 1220;
        QTest::newRow("100 min") << 6000 << 2000;
        QTest::newRow("150 min") << 9000 << 3000;
        QTest::newRow("3 h") << 10800 << 3000;
        QTest::newRow("a day") << 86400 << 5 * 3600;
        QTest::newRow("over a day") << 86401 << 28800;
        QTest::newRow("33 h") << 118800 << 11 * 3600;
        QTest::newRow("two days") << 172800 << 11 * 3600;
    }
    void rangeCursorsStandInsideTheShownSpan()
    {
        QFETCH(int, span);
        QFETCH(int, inset);
        GraphWindow& window = open(m_folder->writeLog("QOR1000", "A", 20000, 10, plotValue));
        TrendGraph& graph = *window.CWGraph1();
        graph.axis(GraphAxis::Time).setMinMax(ProgramFolder::at(3600), ProgramFolder::at(3600 + span));
        QTest::mouseClick(window.legend()->itemText(11), Qt::LeftButton);
        QCOMPARE(secondsOf(graph.cursor(2).x()), 3600 + inset);
        QVERIFY(std::abs(secondsOf(graph.cursor(3).x()) - (3600 + span - inset)) <= 5); // on the nearest record
        QCOMPARE(graph.cursor(4).x(), graph.cursor(2).x());
        QCOMPARE(graph.cursor(5).x(), graph.cursor(3).x());
        QVERIFY(!graph.cursor(1).isVisible());
        const QString first = "1." + datetime::format(graph.cursor(2).x(), u"yyyy-mm-dd hh:nn:ss");
        QCOMPARE(window.legend()->readout(2)->text(), first);
        QCOMPARE(window.legend()->readout(3)->text(), "2." + datetime::format(graph.cursor(3).x(), u"yyyy-mm-dd hh:nn:ss"));
        QVERIFY(window.legend()->readout(2)->isVisible() && window.legend()->statisticsButton()->isVisible());
        QCOMPARE(graph.annotation(2).caption(), "  " + first + "  ");
        QCOMPARE(graph.annotation(2).x(), graph.cursor(2).x());
        QVERIFY(graph.annotation(3).isVisible());
    }

    // Against the time since the first record the readouts show that time as a clock.
    void relativeRangeReadoutsShowTheElapsedClock()
    {
        GraphWindow& window = open(m_folder->writeLog("QOR1300", {}, 7200, 1, plotValue));
        m_main->command(QStringLiteral("MT_RelaTime"))->trigger();
        QCOMPARE(window.Label3(0), "0");
        window.CWGraph1()->axis(GraphAxis::Time).setMinMax(0, datetime::serialFromSeconds(3600));
        window.legendClicked(LegendState::RangeCursorsItem);
        QCOMPARE(window.legend()->readout(2)->text(), "1.00:05:00");
        QCOMPARE(window.legend()->readout(3)->text(), "2.00:55:00");
        QCOMPARE(window.CWGraph1()->annotation(3).caption(), "  2.00:55:00  ");
    }

    void draggingARangeCursorUpdatesItsReadout()
    {
        GraphWindow& window = open(m_folder->writeLog("QOR1300", {}, 3600, 1, plotValue));
        TrendGraph& graph = *window.CWGraph1();
        window.legendClicked(LegendState::RangeCursorsItem);
        const GraphLayout layout = graph.layout(graph.rect());
        const QPoint from = QPointF(layout.xToPixel(graph.cursor(2).x()), layout.plotArea().center().y()).toPoint();
        const QPoint to = from + QPoint(60, 0);
        QTest::mousePress(&graph, Qt::LeftButton, {}, from);
        QTest::mouseMove(&graph, to);
        QTest::mouseRelease(&graph, Qt::LeftButton, {}, to);
        QVERIFY(secondsOf(graph.cursor(2).x()) > 300);
        QCOMPARE(graph.cursor(4).x(), graph.cursor(2).x());
        QCOMPARE(window.legend()->readout(2)->text(), "1." + datetime::format(graph.cursor(2).x(), u"yyyy-mm-dd hh:nn:ss"));
        QCOMPARE(graph.annotation(2).caption(), " " + window.legend()->readout(2)->text());
        QCOMPARE(graph.annotation(2).y(), graph.cursor(2).y() + 20);

        // Cursor 3's text stands at the event's Y itself.
        graph.cursor(3).setPointIndex(3000);
        window.cursors().cursorMoved(3, 55);
        QCOMPARE(graph.cursor(5).pointIndex(), 3000);
        QCOMPARE(graph.annotation(3).caption(), "2.2015-03-01 08:50:00 ");
        QCOMPARE(graph.annotation(3).x(), graph.cursor(3).x());
        QCOMPARE(graph.annotation(3).y(), 55.0);
    }

    void statisticsListEachSeriesBetweenTheCursors()
    {
        GraphWindow& window = open(m_folder->writeLog("QOR1300", {}, 600, 1, plotValue));
        statisticsOver(window, 110, 125);
        SpreadGrid& grid = *window.legend()->statisticsGrid();
        QVERIFY(grid.isVisible());
        QCOMPARE(grid.GetText(1, 0), "Minimum");
        QCOMPARE(grid.GetText(2, 0), "Maximum");
        QCOMPARE(grid.MaxRows(), 9);
        QCOMPARE(grid.GetText(0, 1), "Hi.PV");
        QCOMPARE(grid.GetText(0, 9), "Lo.MV");
        QCOMPARE(grid.GetText(1, 1), "20.5"); // record 110: 10 + 10 + 0.5
        QCOMPARE(grid.GetText(2, 1), "35.5"); // record 125
        QCOMPARE(grid.GetText(1, 9), "100.5");
        QCOMPARE(grid.GetText(2, 9), "115.5");

        // Neighbouring records give those two records.
        statisticsOver(window, 148, 149);
        QCOMPARE(grid.GetText(1, 4), "88.5");
        QCOMPARE(grid.GetText(2, 4), "89.5");
        QVERIFY(m_prompts->messages.isEmpty());
    }

    // The statistics list reaches over the graph; a cursor label that would stand under it is
    // drawn clear of it, and comes back once the list is gone.
    void theStatisticsListLeavesTheCursorLabelsInView()
    {
        GraphWindow& window = open(m_folder->writeLog("QOR1300", {}, 600, 1, plotValue));
        statisticsOver(window, 100, 560);
        TrendGraph& graph = *window.CWGraph1();
        const SpreadGrid& grid = *window.legend()->statisticsGrid();
        QVERIFY(grid.isVisible());
        const QRect covered = QRect(graph.mapFrom(&window, grid.pos()), grid.size()).intersected(graph.rect());
        QVERIFY(!covered.isEmpty());
        // The end label anchored under the middle of the list.
        const GraphLayout layout = graph.layout(graph.rect());
        GraphAnnotation& end = graph.annotation(3);
        end.setAnchor(layout.pixelToX(covered.left() + 4), layout.pixelToY(graph.axis(GraphAxis::Temperature), covered.center().y()));
        const QString caption = end.caption();
        const auto drawnUnderTheList = [&] {
            const QImage with = graph.controlImage().copy(covered);
            end.setCaption({});
            const QImage without = graph.controlImage().copy(covered);
            end.setCaption(caption);
            return with != without;
        };
        QVERIFY(!drawnUnderTheList());
        const QImage shown = graph.controlImage();
        end.setCaption({});
        QVERIFY(graph.controlImage() != shown); // drawn elsewhere
        end.setCaption(caption);
        window.legend()->statisticsGrid()->hide();
        QVERIFY(drawnUnderTheList());
    }

    // The readout is there as soon as the cursor is, follows the arrow keys record by record, and
    // goes with the cursor, leaving the names.
    void theReadoutComesAndGoesWithTheCursor()
    {
        GraphWindow& window = open(m_folder->writeLog("QOR1300", {}, 600, 1, plotValue));
        QLabel& first = *window.legend()->itemText(1);
        const QString name = first.text();
        window.legendClicked(LegendState::SingleCursorItem);
        TrendGraph& graph = *window.CWGraph1();
        const auto index = static_cast<int>(graph.cursor(1).pointIndex());
        QCOMPARE(first.text(), name + " : " + valueText(index, 0));
        graph.setFocus();
        QTest::keyClick(&graph, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(graph.cursor(1).pointIndex(), index + 10);
        QCOMPARE(first.text(), name + " : " + valueText(index + 10, 0));
        QCOMPARE(window.legend()->itemText(9)->text(),
                 window.legend()->itemText(9)->text().section(u' ', 0, 0) + " : " + valueText(index + 10, 8));
        window.legendClicked(LegendState::SingleCursorItem);
        QCOMPARE(first.text(), name);
    }

    // Beside the minimum and maximum: the mean, the standard deviation, the span and the change of
    // every series, and the range's length and record count.
    void statisticsMeasureEachSeriesOfTheRange()
    {
        GraphWindow& window = open(m_folder->writeLog("QOR1300", {}, 600, 1, plotValue));
        statisticsOver(window, 110, 125); // series 1: 20.5 to 35.5 in steps of 1
        const SpreadGrid& grid = *window.legend()->statisticsGrid();
        QCOMPARE(grid.MaxCols(), 6);
        QCOMPARE((QStringList{grid.GetText(3, 0), grid.GetText(4, 0), grid.GetText(5, 0), grid.GetText(6, 0)}),
                 (QStringList{"Mean", "Std. dev.", "Peak-to-peak", "Change"}));
        QCOMPARE((QStringList{grid.GetText(3, 1), grid.GetText(4, 1), grid.GetText(5, 1), grid.GetText(6, 1)}),
                 (QStringList{"28.0", "4.61", "15.0", "15.0"}));
        QCOMPARE(grid.GetText(3, 9), "108.0"); // series 9: 100.5 to 115.5
        QCOMPARE(window.legend()->rangeSummary()->text(), "Δt 00:00:15\nn = 16");
        QVERIFY(window.legend()->rangeSummary()->isVisible());
        // Every header and every row in view, and no empty row below them.
        const int rowHeight = grid.verticalHeader()->defaultSectionSize();
        QVERIFY(grid.viewport()->height() >= grid.MaxRows() * rowHeight);
        QVERIFY(grid.viewport()->height() < (grid.MaxRows() + 1) * rowHeight);
        QVERIFY(grid.viewport()->width() >= grid.horizontalHeader()->length());
        for (int col = 1; col <= grid.MaxCols(); ++col)
            QVERIFY(grid.columnWidth(col - 1) >= grid.horizontalHeader()->fontMetrics().horizontalAdvance(grid.GetText(col, 0)));

        statisticsOver(window, 145, 155); // across the turn of record % 50: 45 to 49, then 0 to 5
        QCOMPARE(grid.GetText(6, 1), "-40.0");
        QCOMPARE(grid.GetText(5, 1), "49.0");

        window.legendClicked(LegendState::RangeCursorsItem);
        QVERIFY(!window.legend()->rangeSummary()->isVisible());
    }

    void theRangeLengthRunsAcrossMidnightOnEitherTimeAxis()
    {
        GraphWindow& window = open(m_folder->writeLog("QOR1100", {}, 600, 300, plotValue));
        statisticsOver(window, 0, 599); // 08:00:00 to 09:55:00 two days later
        QCOMPARE(window.legend()->rangeSummary()->text(), "Δt 2d 01:55:00\nn = 600");
        statisticsOver(window, 100, 250); // 16:20:00 to 04:50:00 the next day
        QCOMPARE(window.legend()->rangeSummary()->text(), "Δt 12:30:00\nn = 151");
        m_main->command(QStringLiteral("MT_RelaTime"))->trigger();
        QVERIFY(!window.absoluteTime());
        statisticsOver(window, 100, 250);
        QCOMPARE(window.legend()->rangeSummary()->text(), "Δt 12:30:00\nn = 151");
    }

    void cursorsOutOfOrderOrOnOneRecordAreRefused_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("reversed") << 300 << 200;
        QTest::newRow("same record") << 250 << 250;
    }
    void cursorsOutOfOrderOrOnOneRecordAreRefused()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        GraphWindow& window = open(m_folder->writeLog("QOR1300", {}, 600, 1, plotValue));
        statisticsOver(window, 10, 20);
        QVERIFY(window.legend()->statisticsGrid()->isVisible());
        statisticsOver(window, first, last);
        QVERIFY(!window.legend()->statisticsGrid()->isVisible());
        QCOMPARE(m_prompts->messages.size(), 1);
        QCOMPARE(m_prompts->messages[0].text, "The range start cursor must come before the range end cursor.");
        QCOMPARE(m_prompts->messages[0].title, "Error");
    }

    void statisticsShowTheTrueExtremes()
    {
        GraphWindow& window = open(m_folder->writeLog("QOR1200", {}, 100, 1, [](int record, int value) {
            return value == 0 ? 12000.0 + record : value == 1 ? -5000.0 - record : value == 2 ? record * 0.25 : 1.0;
        }));
        statisticsOver(window, 10, 20);
        SpreadGrid& grid = *window.legend()->statisticsGrid();
        QCOMPARE(grid.MaxRows(), 6);
        QCOMPARE(grid.GetText(1, 1), "12010.0");
        QCOMPARE(grid.GetText(2, 1), "12020.0");
        QCOMPARE(grid.GetText(1, 2), "-5020.0");
        QCOMPARE(grid.GetText(2, 2), "-5010.0");
        QCOMPARE(grid.GetText(1, 3), "2.5");
        QCOMPARE(grid.GetText(2, 3), "5.0");
        QCOMPARE(grid.GetText(0, 4), "HPV");
    }

    void textsThatAreNoNumbersArePassedOver()
    {
        QList<QByteArray> lines;
        for (int r = 0; r < 20; ++r)
            lines << (r == 5 ? QByteArray("abc") : QByteArray::number(100 + r)) + ",x," + QByteArray::number(r) + ",1,1,1,1,1,1";
        GraphWindow& window = open(m_folder->writeCsv("QOR1300", {}, lines));
        statisticsOver(window, 3, 8);
        SpreadGrid& grid = *window.legend()->statisticsGrid();
        QCOMPARE(grid.GetText(1, 1), "103.0");
        QCOMPARE(grid.GetText(2, 1), "108.0");
        QCOMPARE(grid.GetText(1, 2), ""); // no number at all
        QCOMPARE(grid.GetText(2, 2), "");
        QCOMPARE(grid.GetText(1, 3), "3.0");
        QCOMPARE(grid.GetText(2, 3), "8.0");
        QVERIFY(m_prompts->messages.isEmpty());
    }

    // A one-channel recorder lists the series its file holds, with no empty rows after them.
    void statisticsListOnlyTheSeriesTheFileHolds()
    {
        const QTemporaryDir dir;
        GraphWindow& window = open(fixtures::generated(dir, {.model = "QOR500", .kind = samplegen::FileKind::Dat, .records = 100}));
        statisticsOver(window, 10, 20);
        const SpreadGrid& grid = *window.legend()->statisticsGrid();
        QCOMPARE(grid.MaxRows(), 3);
        for (int row = 1; row <= 3; ++row)
            QVERIFY(!grid.GetText(1, row).isEmpty());
    }

    // The range length and count beside the button read on the legend in either style.
    void theRangeSummaryReadsInEitherStyle()
    {
        GraphWindow& window = open(m_folder->writeLog("QOR1300", {}, 100, 1, plotValue));
        for (const char* style : {"MV_Style_2", "MV_Style_1", "MV_Style_2"}) {
            m_main->command(style)->trigger();
            statisticsOver(window, 10, 20);
            const QColor text = window.legend()->rangeSummary()->palette().color(QPalette::WindowText);
            const QColor back = window.legend()->palette().color(QPalette::Window);
            QVERIFY2(std::abs(qGray(text.rgb()) - qGray(back.rgb())) > 100, style);
        }
    }

    void aModelOutsideTheTableGetsTheHeaderRowOnly()
    {
        GraphWindow& window = open(m_folder->writeLog("QOR9999", {}, 100, 1, plotValue));
        statisticsOver(window, 10, 20);
        SpreadGrid& grid = *window.legend()->statisticsGrid();
        QVERIFY(grid.isVisible());
        QCOMPARE(grid.GetText(1, 0), "Minimum");
        QCOMPARE(grid.MaxRows(), 0);
    }
};

QTEST_MAIN(TestGraphWindowCursors)
#include "tst_graphwindowcursors.moc"
