#include "data/datetime.h"
#include "data/loadeddataset.h"
#include "graph/combinedgraphwindow.h"
#include "graph/graphcursor.h"
#include "graph/graphlegend.h"
#include "graph/timeslider.h"
#include "graph/trendgraph.h"
#include "shell/legendstate.h"
#include "shell/main/mainwindow.h"
#include "shell/programstate.h"
#include "shell/slotwindows.h"
#include "shell/stringtable.h"
#include "shell/zoomhistory.h"
#include "support/fixtures.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"
#include "support/textcontrastcheck.h"
#include "table/combinedtablewindow.h"
#include "table/spreadgrid.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace qor;

namespace {

// Value `value` (0 PV, 1 SP, 2 MV) of record `record` of file `file`: distinct in every file.
double valueOf(int file, int record, int value)
{
    return 100 * (file + 1) + record + value / 10.0;
}

QString numberText(double value)
{
    return QString::number(value, 'f', 1);
}

} // namespace

class TestCombinedView : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ProgramFolder> m_folder;
    ScriptedPrompts* m_prompts = nullptr;
    std::unique_ptr<MainWindow> m_main;
    int m_written = 0;

    CombinedGraphWindow& window() const { return *qobject_cast<CombinedGraphWindow*>(graphFormWidget(3)); }
    CombinedTableWindow& table() const { return *qobject_cast<CombinedTableWindow*>(TableForm(3)); }
    TrendGraph& graph() const { return *window().CWGraph1(); }

    // A CSV file of `model` whose `records` records start `startSeconds` after 08:00 and stand
    // `step` seconds apart, each with a line that is no record before it.
    QString writeFile(int file, const QByteArray& model, int records, int startSeconds, int step = 10)
    {
        QByteArray text = "; " + model + "\r\n; \r\n";
        for (int r = 0; r < records; ++r) {
            text += "no record\r\n" + datetime::isoText(ProgramFolder::at(startSeconds + r * step)).toLatin1();
            for (int v = 0; v < 3; ++v)
                text += ',' + numberText(valueOf(file, r, v)).toLatin1();
            text += "\r\n";
        }
        return fixtures::writeFile(m_folder->dir(), QStringLiteral("combined_%1.CSV").arg(++m_written), text);
    }

    void choose(int file, const QString& path)
    {
        m_prompts->fileAnswers.enqueue(path);
        window().fileButton(file)->click();
    }

    // Files 1 to n chosen and built; true when the graph was drawn.
    bool build(const QStringList& paths)
    {
        for (int k = 0; k < paths.size(); ++k)
            choose(k, paths[k]);
        window().file_open()->click();
        return graph().plot(1).pointCount() > 0;
    }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const ScriptedPrompts::Message& message : m_prompts->messages)
            texts << message.title + u'|' + message.text;
        return texts;
    }

    QList<bool> legendItemsShown() const
    {
        QList<bool> shown;
        for (int item = 1; item <= TrendGraph::PlotCount; ++item)
            shown << !window().legend()->itemText(item)->isHidden();
        return shown;
    }

    QList<qsizetype> pointCounts() const
    {
        QList<qsizetype> counts;
        for (int plot = 1; plot <= TrendGraph::PlotCount; ++plot)
            counts << graph().plot(plot).pointCount();
        return counts;
    }

    void verifyButtons(const QList<int>& enabled) const
    {
        for (int index = 1; index <= 15; ++index)
            QVERIFY2(m_main->button(index)->isEnabled() == (enabled.contains(index) || index == 15), qPrintable(QString::number(index)));
    }

  private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        m_prompts = &ScriptedPrompts::install();
        m_main = std::make_unique<MainWindow>();
        m_main->show();
        m_main->button(14)->trigger();
    }

    void cleanup()
    {
        m_main.reset();
        m_folder.reset();
    }

    void theCombinedViewOpensWithNoFileChosen()
    {
        QVERIFY(window().isVisible());
        QCOMPARE(loadedData().FileNo, 3);
        QCOMPARE(m_main->statusPanel1(), QStringLiteral("1"));
        QCOMPARE(window().file_open()->text(), stringEntry(MDIFormText::CombineChannels));
        QVERIFY(!window().fileButton(0)->isHidden());
        QVERIFY(window().fileButton(1)->isHidden());
        QVERIFY(window().fileButton(2)->isHidden());
        QVERIFY(window().file_open()->isHidden());
        QVERIFY(window().Command4()->isHidden());
        QCOMPARE(legendItemsShown(), QList<bool>(9, false));
        QCOMPARE(window().legend()->itemText(4)->text(), QStringLiteral("CH2 PV"));
        verifyButtons({});
    }

    void choosingFilesShowsTheNextButtonsAndLegendItems()
    {
        const QString first = writeFile(0, "QOR1100", 5, 0);
        choose(0, first);
        QCOMPARE(m_prompts->fileFilters, QStringList{"Data Files (*.csv)"});
        QCOMPARE(window().Label4(0)->text(), first);
        QVERIFY(!window().fileButton(1)->isHidden());
        QVERIFY(window().fileButton(2)->isHidden());
        QVERIFY(window().file_open()->isHidden());
        QCOMPARE(legendItemsShown(), QList<bool>(9, false));

        choose(1, writeFile(1, "QOR1100", 5, 0));
        QVERIFY(!window().fileButton(2)->isHidden());
        QVERIFY(!window().file_open()->isHidden());
        QVERIFY(!window().Command4()->isHidden());
        QCOMPARE(legendItemsShown(), (QList<bool>{true, true, true, true, true, true, false, false, false}));

        choose(2, writeFile(2, "QOR1100", 5, 0));
        QCOMPARE(legendItemsShown(), QList<bool>(9, true));

        m_prompts->fileAnswers.enqueue(QString()); // a cancelled dialog keeps the choice
        window().fileButton(2)->click();
        QVERIFY(!window().Label4(2)->text().isEmpty());
    }

    void aNameThatIsNoCsvIsRefused()
    {
        choose(0, m_folder->dir().filePath(QStringLiteral("recording.LOG")));
        QCOMPARE(messageTexts(), QStringList{"Error|" + stringEntry(MDIFormText::InvalidDataFile)});
        QVERIFY(window().Label4(0)->text().isEmpty());
        QVERIFY(window().fileButton(1)->isHidden());
    }

    void filesOfDifferentModelsAreNotCombined_data()
    {
        QTest::addColumn<QByteArrayList>("models");
        QTest::addColumn<QString>("message");
        QTest::newRow("files 1 and 2 differ") << QByteArrayList{"QOR1100", "QOR1400"}
                                              << "Please select the same model. => #1 QOR1100   #2 QOR1400   #3 ";
        QTest::newRow("file 1 of another model")
            << QByteArrayList{"QOR1300", "QOR1300", "QOR1100"} << "Please select the same model. => #1 QOR1300   #2 QOR1300   #3 QOR1100";
    }

    void filesOfDifferentModelsAreNotCombined()
    {
        QFETCH(QByteArrayList, models);
        QFETCH(QString, message);
        QStringList paths;
        for (int k = 0; k < models.size(); ++k)
            paths << writeFile(k, models[k], 5, 0);
        QVERIFY(!build(paths));
        QCOMPARE(messageTexts(), QStringList{"Error|" + message});
        QCOMPARE(pointCounts(), QList<qsizetype>(9, 0));
        QVERIFY(window().file_open()->isEnabled());
        QVERIFY(window().fileButton(0)->isEnabled());
        verifyButtons({});
    }

    void familyMembersAndAThirdModelAreCombined()
    {
        QVERIFY(build({writeFile(0, "QOR1400-Z12", 4, 0), writeFile(1, "QOR1400", 5, 0), writeFile(2, "QOR1300", 6, 0)}));
        QVERIFY(m_prompts->messages.isEmpty());
        QCOMPARE(pointCounts(), (QList<qsizetype>{4, 4, 4, 5, 5, 5, 6, 6, 6}));
    }

    // Each file draws its own records from its first one on: the time axis runs from the earliest
    // first record to the latest last record, and each grid lists its file's records.
    void buildingDrawsEveryFileAndFillsTheTable()
    {
        const QStringList paths = {writeFile(0, "QOR1100", 30, 20), writeFile(1, "QOR1100", 12, 0, 60), writeFile(2, "QOR1100", 3, 5)};
        QVERIFY(build(paths));
        QCOMPARE(pointCounts(), (QList<qsizetype>{30, 30, 30, 12, 12, 12, 3, 3, 3}));
        const TrendAxis& time = graph().axis(GraphAxis::Time);
        QCOMPARE(datetime::isoText(time.minimum()), datetime::isoText(ProgramFolder::at(0)));
        QCOMPARE(datetime::isoText(time.maximum()), datetime::isoText(ProgramFolder::at(11 * 60)));
        QCOMPARE(graph().chartLength(), 12);
        QCOMPARE(graph().plot(1).xAt(0), ProgramFolder::at(20));
        QCOMPARE(graph().plot(4).yAt(11), valueOf(1, 11, 0));
        QCOMPARE(graph().plot(9).yAt(2), valueOf(2, 2, 2));
        for (int plot : {1, 2, 4, 5, 7, 8})
            QCOMPARE(graph().plot(plot).yAxis(), GraphAxis::Temperature);
        for (int plot : {3, 6, 9})
            QCOMPARE(graph().plot(plot).yAxis(), GraphAxis::Output);
        QCOMPARE(*loadedData().slot(3).FirstTime, time.minimum());
        QCOMPARE(*loadedData().slot(3).LastTime, time.maximum());
        QCOMPARE(zoomHistory(3).depth(), 0);
        verifyButtons({2, 3, 6, 7, 8, 9, 10, 11, 12, 13});

        const QList<int> rows = {30, 12, 3};
        for (int k = 0; k < 3; ++k) {
            const SpreadGrid& grid = *table().fpSpread1(k);
            QCOMPARE(table().Label1(k)->text(), paths[k]);
            QCOMPARE(grid.MaxRows(), rows[k]);
            QCOMPARE(grid.GetText(4, rows[k]), numberText(valueOf(k, rows[k] - 1, 2)));
        }
        QCOMPARE(table().fpSpread1(0)->GetText(2, 1), numberText(valueOf(0, 0, 0)));
    }

    void equalStartSecondsTakeTheChartLengthOfFileTwo()
    {
        QVERIFY(build({writeFile(0, "QOR1100", 7, 0), writeFile(1, "QOR1100", 9, 0)}));
        QCOMPARE(graph().chartLength(), 9);
    }

    void theCombinedTableSpeaksNoOtherLanguage()
    {
        m_main->chooseLanguage(QStringLiteral("KOR"));
        QVERIFY(build({writeFile(0, "QOR1100", 3, 0), writeFile(1, "QOR1100", 3, 0)}));
        for (int k = 0; k < 3; ++k) {
            const SpreadGrid& grid = *table().fpSpread1(k);
            QCOMPARE((QStringList{grid.GetText(1, 0), grid.GetText(2, 0), grid.GetText(3, 0), grid.GetText(4, 0)}),
                     (QStringList{"TIME", "PV", "SP", "MV"}));
        }
        QCOMPARE(table().fpSpread1(2)->MaxRows(), 0);
        QVERIFY(table().windowTitle().startsWith(stringEntry(DigitalText::DataTable)));
    }

    // Clear forgets the choice and the graph; building again needs two files chosen again.
    void clearAndRebuild()
    {
        QVERIFY(build({writeFile(0, "QOR1100", 4, 0), writeFile(1, "QOR1100", 4, 0), writeFile(2, "QOR1100", 4, 0)}));
        window().Command4()->click();
        for (int k = 0; k < 3; ++k)
            QVERIFY(window().Label4(k)->text().isEmpty());
        QCOMPARE(pointCounts(), QList<qsizetype>(9, 0));
        QVERIFY(window().fileButton(1)->isHidden());
        QVERIFY(!window().file_open()->isHidden());
        QCOMPARE(legendItemsShown(), QList<bool>(9, false));

        choose(0, writeFile(0, "QOR1100", 6, 0));
        window().file_open()->click();
        QCOMPARE(messageTexts(), QStringList{"Error|Please select the same model. => #1 QOR1100   #2    #3 "});
        QCOMPARE(pointCounts(), QList<qsizetype>(9, 0));

        choose(1, writeFile(1, "QOR1100", 2, 0));
        window().file_open()->click();
        QCOMPARE(pointCounts(), (QList<qsizetype>{6, 6, 6, 2, 2, 2, 0, 0, 0}));
    }

    void anUnreadableFileLeavesTheGraphAsItWas_data()
    {
        QTest::addColumn<QByteArray>("bytes"); // empty: the file is gone
        QTest::newRow("gone") << QByteArray();
        QTest::newRow("no records") << QByteArray("; QOR1100\r\n; \r\n2015-03-01,1,2,3\r\n");
    }

    void anUnreadableFileLeavesTheGraphAsItWas()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(build({writeFile(0, "QOR1100", 4, 0), writeFile(1, "QOR1100", 5, 0)}));
        const QString broken = writeFile(2, "QOR1100", 1, 0);
        if (bytes.isEmpty())
            QVERIFY(QFile::remove(broken));
        else
            fixtures::writeFile(m_folder->dir(), QFileInfo(broken).fileName(), bytes);
        choose(2, broken);
        window().file_open()->click();
        QCOMPARE(messageTexts(), QStringList{"Error|" + stringEntry(MDIFormText::InvalidDataFile)});
        QCOMPARE(pointCounts(), (QList<qsizetype>{4, 4, 4, 5, 5, 5, 0, 0, 0}));
        QVERIFY(window().file_open()->isEnabled());
        QVERIFY(window().Frame1()->isHidden());
    }

    void exitWithoutSlotFilesLeavesOpenAndCombine()
    {
        QVERIFY(build({writeFile(0, "QOR1100", 4, 0), writeFile(1, "QOR1100", 4, 0)}));
        window().Command3()->click();
        QVERIFY(!window().isVisible());
        QCOMPARE(m_main->statusPanel1(), QString());
        verifyButtons({1, 14});
        QCOMPARE(table().fpSpread1(0)->MaxRows(), 0);
        QCOMPARE(loadedData().slot(3).RecordCount, 0);
    }

    void exitWithASlotFileGivesTheCommandsBack()
    {
        window().Command3()->click();
        QVERIFY(m_main->openFile(m_folder->writeCsv("QOR1100", "", {"1,2,3", "4,5,6"})));
        m_main->button(14)->trigger();
        QVERIFY(build({writeFile(0, "QOR1100", 4, 0), writeFile(1, "QOR1100", 4, 0)}));
        window().close();
        QCOMPARE(loadedData().FileNo, 1);
        verifyButtons({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14});
        for (const char* name : {"M_TimeAxis", "M_View", "M_YGrid", "M_XGrid", "M_Window", "M_DisplaySet"})
            QVERIFY2(m_main->command(name)->isEnabled(), name);
    }

    // The single cursor reads each file's record nearest its time; the statistics list every series
    // of every file between the range cursors' times.
    void readoutsAndStatistics()
    {
        QVERIFY(build({writeFile(0, "QOR1100", 30, 0), writeFile(1, "QOR1100", 10, 5, 30), writeFile(2, "QOR1100", 5, 100)}));
        CombinedGraphWindow& combined = window();
        combined.legendClicked(LegendState::SingleCursorItem);
        graph().cursor(1).setX(ProgramFolder::at(122));
        combined.cursors().cursorMoved(1, 0);
        QCOMPARE(combined.legend()->itemText(1)->text(), "CH1 PV : " + numberText(valueOf(0, 12, 0)));
        QCOMPARE(combined.legend()->itemText(5)->text(), "CH2 SP : " + numberText(valueOf(1, 4, 1)));
        QCOMPARE(combined.legend()->itemText(9)->text(), "CH3 MV : " + numberText(valueOf(2, 2, 2)));
        // The pale plot colours' readouts read on the light style's grey too.
        m_main->viewCommands().MV_Style_1();
        combined.legendClicked(LegendState::SingleCursorItem);
        QVERIFY(combined.legend()->itemText(5)->text().startsWith(u"CH2 SP : "));
        const textcheck::Weakest weakest = textcheck::weakestLabel(*combined.legend());
        QVERIFY2(weakest.ratio >= 4.5, qPrintable(QStringLiteral("%1: %2").arg(weakest.ratio).arg(weakest.label)));

        combined.legendClicked(LegendState::RangeCursorsItem);
        graph().cursor(2).setX(ProgramFolder::at(50));
        graph().cursor(3).setX(ProgramFolder::at(120));
        for (int cursor : {2, 3})
            combined.cursors().cursorMoved(cursor, 0);
        combined.RangeStatistics();
        const SpreadGrid& grid = *combined.legend()->statisticsGrid();
        QCOMPARE(grid.MaxRows(), 9);
        QCOMPARE(grid.GetText(0, 4), QStringLiteral("CH2 PV"));
        QCOMPARE(grid.GetText(1, 1), numberText(valueOf(0, 5, 0)));
        QCOMPARE(grid.GetText(2, 1), numberText(valueOf(0, 12, 0)));
        QCOMPARE(grid.GetText(1, 5), numberText(valueOf(1, 2, 1))); // 08:01:05
        QCOMPARE(grid.GetText(2, 5), numberText(valueOf(1, 3, 1))); // 08:01:35
        QCOMPARE(grid.GetText(1, 9), numberText(valueOf(2, 0, 2))); // 08:01:40
        QCOMPARE(grid.GetText(2, 9), numberText(valueOf(2, 2, 2))); // 08:02:00
        QCOMPARE(grid.GetText(3, 1), QStringLiteral("108.5"));      // the mean of records 5 to 12
        QCOMPARE(grid.GetText(6, 4), QStringLiteral("1.0"));        // the change from 08:01:05 to 08:01:35
        QCOMPARE(combined.legend()->rangeSummary()->text(), QStringLiteral("Δt 00:01:10\nn = 8 / 2 / 3"));

        graph().cursor(2).setX(ProgramFolder::at(200));
        graph().cursor(3).setX(ProgramFolder::at(100));
        for (int cursor : {2, 3})
            combined.cursors().cursorMoved(cursor, 0);
        combined.RangeStatistics();
        QVERIFY(grid.isHidden());
        QCOMPARE(m_prompts->messages.size(), 1);
    }

    void zoomAndTheWholeRangeWorkOnTheCombinedGraph()
    {
        QVERIFY(build({writeFile(0, "QOR1100", 100, 0), writeFile(1, "QOR1100", 100, 0)}));
        m_main->button(10)->trigger();
        QCOMPARE(graph().trackMode(), TrendGraph::TrackZoomX);
        graph().axis(GraphAxis::Time).setMinMax(ProgramFolder::at(100), ProgramFolder::at(200));
        Q_EMIT graph().zoomCompleted();
        QCOMPARE(zoomHistory(3).depth(), 1);
        QVERIFY(window().CWSlide7()->isVisible());
        m_main->button(9)->trigger();
        QCOMPARE(zoomHistory(3).depth(), 0);
        QCOMPARE(graph().axis(GraphAxis::Time).maximum(), ProgramFolder::at(990));
    }

    // The report view of a print preview ends with the combined view's commands.
    void thePreviewOfTheCombinedGraphEnds()
    {
        window().Command3()->click(); // the preview command needs a file open in a slot
        QVERIFY(m_main->openFile(m_folder->writeCsv("QOR1100", "", {"1,2,3", "4,5,6"})));
        m_main->button(14)->trigger();
        QVERIFY(build({writeFile(0, "QOR1100", 10, 0), writeFile(1, "QOR1100", 10, 0)}));
        m_main->command(QStringLiteral("MF_Preview"))->trigger();
        QVERIFY(window().PicPrint()->isVisible());
        window().Command1()->click();
        QVERIFY(!window().PicPrint()->isVisible());
        QVERIFY(window().legend()->isVisible());
        verifyButtons({2, 3, 6, 7, 8, 9, 10, 11, 12, 13});
    }
};

QTEST_MAIN(TestCombinedView)
#include "tst_combinedview.moc"
