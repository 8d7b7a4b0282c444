// The seams between the program's modes: a preview ended by closing its window, commands that a mode
// switches off, slots after a failed open, windows after a switch, a print or the combined view.
#include "data/loadeddataset.h"
#include "graph/combinedgraphwindow.h"
#include "graph/graphannotation.h"
#include "graph/graphcursor.h"
#include "graph/graphlegend.h"
#include "graph/graphwindow.h"
#include "graph/trendgraph.h"
#include "shell/apppath.h"
#include "shell/legendstate.h"
#include "shell/main/mainwindow.h"
#include "shell/programmodes.h"
#include "shell/slotwindows.h"
#include "support/busycanceller.h"
#include "support/fixtures.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"
#include "table/spreadgrid.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

using namespace qor;

class TestProgramModes : public QObject {
    Q_OBJECT

  private:
    std::optional<ProgramFolder> m_folder;
    ScriptedPrompts* m_prompts = nullptr;
    std::unique_ptr<MainWindow> m_main;

    QString log(int records = 200)
    {
        return m_folder->writeLog("QOR1300", {}, records, 60, [](int record, int value) { return 20 + record % 40 + value; });
    }

    QString csv() { return m_folder->writeCsv("QOR1100", "", {"1,2,3", "4,5,6", "7,8,9"}); }

    // Every command as the mode's table states it.
    void verifyMode(ProgramMode mode) const
    {
        QCOMPARE(modeName(m_main->mode()), modeName(mode));
        for (const QString& name : modeCommands()) {
            if (name == u"MF_Recent")
                continue;
            const QAction* action = name.startsWith(u"Button") ? m_main->button(name.mid(6).toInt()) : m_main->command(name);
            // A hidden item (of the window list) is never enabled.
            QVERIFY2(action->isEnabled() == (commandEnabled(mode, name) && action->isVisible()), qPrintable(name));
        }
    }

    QMdiSubWindow* frameOf(QWidget* window) const { return qobject_cast<QMdiSubWindow*>(window->parentWidget()); }

  private Q_SLOTS:
    void init()
    {
        m_folder.emplace();
        m_prompts = &ScriptedPrompts::install();
        m_main = std::make_unique<MainWindow>();
        m_main->resize(1200, 800);
        m_main->show();
    }

    void cleanup() { m_main.reset(); }

    void everyCommandIsInTheTable()
    {
        for (const QAction* action : m_main->allCommands())
            QVERIFY2(modeCommands().contains(action->objectName()), qPrintable(action->objectName()));
        verifyMode(ProgramMode::Started);
    }

    // Closing the previewed window, or another open, ends the preview; Recent Files is off in it.
    void closingThePreviewedWindowEndsTheReportState()
    {
        QVERIFY(m_main->openFile(log()));
        QVERIFY(m_main->openFile(log()));
        m_main->command("MF_Preview")->trigger();
        verifyMode(ProgramMode::Preview);
        QVERIFY(!m_main->recentFilesMenu()->isEnabled());
        frameOf(graphWindow(2))->close();
        QCoreApplication::processEvents(); // the next window comes forward once the close is done
        verifyMode(ProgramMode::GraphActive);
        QVERIFY(m_main->recentFilesMenu()->isEnabled());
        QVERIFY(!graphWindow(1)->showsReportPage());
        frameOf(graphWindow(1))->close();
        verifyMode(ProgramMode::NoFile);
        QVERIFY(m_main->openFile(log()));
        QVERIFY(graphWindow(1)->PicPrint()->isHidden());
        QVERIFY(graphWindow(1)->Command1()->isHidden());
        verifyMode(ProgramMode::GraphActive);
    }

    // After a failed or cancelled open in an empty program both slots are still free.
    void aFailedOpenLeavesBothSlotsFree()
    {
        QDir(m_folder->dir().path()).mkpath("x.LOG");
        QVERIFY(!m_main->openFile(m_folder->dir().filePath("x.LOG")));
        {
            const QString big = fixtures::generated(m_folder->dir(), {.model = "QOR1300", .records = 150'000});
            const BusyCanceller canceller(*graphWindow(1)->Frame1(), BusyCanceller::By::Escape);
            QVERIFY(!m_main->openFile(big));
        }
        verifyMode(ProgramMode::Started);
        m_main->openFiles({log(), log()});
        QVERIFY(SlotLoaded(1) && SlotLoaded(2));
        QVERIFY(m_main->command("MW_Dis_1")->isVisible() && m_main->command("MW_Dis_2")->isVisible());
        QVERIFY(m_main->command("MW_Dis_1")->text() != m_main->command("MW_Dis_2")->text());
    }

    // The table offers no graph command, on the menu or the toolbar.
    void aTableSwitchesTheGraphCommandsOff()
    {
        QVERIFY(m_main->openFile(log()));
        m_main->button(8)->trigger();
        verifyMode(ProgramMode::TableActive);
        for (int index : {6, 9, 10, 11})
            QVERIFY(!m_main->button(index)->isEnabled());
        m_main->button(7)->trigger();
        verifyMode(ProgramMode::GraphActive);
    }

    void theStatisticsListKeepsItsPlaceAcrossWindows()
    {
        QVERIFY(m_main->openFile(log()));
        GraphWindow* first = graphWindow(1);
        first->legendClicked(LegendState::RangeCursorsItem);
        first->legend()->statisticsButton()->click();
        QVERIFY(m_main->openFile(log()));
        m_main->command("MW_Dis_1")->trigger();
        const QRect grid = first->legend()->statisticsGrid()->geometry();
        QVERIFY(first->legend()->statisticsGrid()->isVisible());
        QCOMPARE(grid.right(), first->legend()->geometry().right()); // below the legend's button, not a box at the corner
        QVERIFY(grid.height() > 60 && grid.width() > 200);
    }

    // Printing hides the whole single cursor; a cancelled print dialog keeps it, and the preview.
    void printingHidesTheCursorAndACancelKeepsThePreview()
    {
        QVERIFY(m_main->openFile(log()));
        GraphWindow* graph = graphWindow(1);
        graph->legendClicked(LegendState::SingleCursorItem);
        m_main->command("MF_Preview")->trigger();
        m_main->command("MF_Print")->trigger();
        QCOMPARE(m_prompts->printDialogs, 1);
        verifyMode(ProgramMode::Preview);
        QVERIFY(graph->CWGraph1()->cursor(1).isVisible());
        const QString pdf = m_folder->dir().filePath("page.pdf");
        m_prompts->printAnswer = [pdf](QPrinter& printer) {
            printer.setOutputFileName(pdf);
            return true;
        };
        m_main->command("MF_Print")->trigger();
        verifyMode(ProgramMode::GraphActive);
        QVERIFY(!graph->CWGraph1()->cursor(1).isVisible());
        QVERIFY(!graph->CWGraph1()->annotation(1).isVisible());
        QVERIFY(!graph->legend()->itemText(1)->text().contains(u':'));
        QVERIFY(!legendState().isOn(LegendState::SingleCursorItem, 1));
    }

    void cascadedWindowsKeepAUsableSize()
    {
        QVERIFY(m_main->openFile(log()));
        QVERIFY(m_main->openFile(log()));
        m_main->button(8)->trigger();
        for (int round = 0; round < 2; ++round) {
            m_main->command("MW_Cascade")->trigger();
            const QSize area = m_main->mdiArea()->viewport()->size();
            int shown = 0;
            for (const QMdiSubWindow* sub : m_main->mdiArea()->subWindowList()) {
                if (sub->isHidden())
                    continue;
                ++shown;
                QVERIFY(!sub->isMaximized() && !sub->isMinimized());
                QVERIFY2(sub->width() >= area.width() / 2 && sub->height() >= area.height() / 2,
                         qPrintable(QString::number(sub->height())));
                QVERIFY(QRect(QPoint(0, 0), area).contains(sub->geometry()));
            }
            QCOMPARE(shown, 3);
        }
    }

    void graphViewBringsAMinimisedWindowBack()
    {
        QVERIFY(m_main->openFile(log()));
        frameOf(graphWindow(1))->showMinimized();
        m_main->button(7)->trigger();
        QVERIFY(!frameOf(graphWindow(1))->isMinimized());
        QCOMPARE(m_main->mdiArea()->activeSubWindow(), frameOf(graphWindow(1)));
        frameOf(graphWindow(1))->showMinimized();
        m_main->command("MW_Dis_1")->trigger();
        QVERIFY(!frameOf(graphWindow(1))->isMinimized());
    }

    // Exit closes the combined view's frame and brings the open file's graph back; the search
    // works on the combined graph.
    void theCombinedViewLeavesNoFrameBehind()
    {
        QVERIFY(m_main->openFile(log()));
        m_main->button(14)->trigger();
        auto* combined = qobject_cast<CombinedGraphWindow*>(graphFormWidget(CombinedGraphWindow::Slot));
        verifyMode(ProgramMode::CombinedChosen);
        for (int file = 0; file < 2; ++file) {
            m_prompts->fileAnswers << csv();
            combined->fileButton(file)->click();
        }
        combined->file_open()->click();
        verifyMode(ProgramMode::CombinedBuilt);
        QTimer::singleShot(0, [] {
            if (QWidget* dialog = QApplication::activeModalWidget())
                dialog->close();
        });
        m_main->button(13)->trigger();
        QVERIFY(m_prompts->messages.isEmpty());
        combined->Command4()->click();
        verifyMode(ProgramMode::CombinedChosen);
        combined->Command3()->click();
        QVERIFY(frameOf(combined)->isHidden());
        QCOMPARE(m_main->mdiArea()->activeSubWindow(), frameOf(graphWindow(1)));
        QVERIFY(!m_main->windowTitle().contains("CH ALL"));
        verifyMode(ProgramMode::GraphActive);
        QCOMPARE(m_main->statusPanel1(), QString());
    }

    // A closed file's window stays closed, and the window shown after a maximised one is maximised.
    void closingAMaximisedWindowHandsTheStateOn()
    {
        QVERIFY(m_main->openFile(log()));
        QVERIFY(m_main->openFile(log()));
        m_main->command("MW_Dis_1")->trigger();
        m_main->button(8)->trigger(); // the table of file 1, behind the graph of file 2
        m_main->command("MW_Dis_2")->trigger();
        QVERIFY(frameOf(graphWindow(2))->isMaximized());
        frameOf(graphWindow(2))->close();
        QCoreApplication::processEvents();
        QCOMPARE(m_main->mdiArea()->activeSubWindow(), frameOf(TableForm(1)));
        QVERIFY(frameOf(TableForm(1))->isMaximized());
        m_main->button(7)->trigger();
        QVERIFY(frameOf(graphWindow(2))->isHidden());
    }

    void choosingTheCheckedItemAgainKeepsItsCheck()
    {
        QVERIFY(m_main->openFile(log()));
        for (const QStringList& choice : {QStringList{"MW_Dis_1"}, {"MT_AbsTime"}, {"MV_Style_1", "MV_Style_2"}}) {
            QAction* item = m_main->command(choice.back());
            if (!item->isChecked())
                item = m_main->command(choice.front());
            QVERIFY2(item->isChecked(), qPrintable(choice.join(u' ')));
            item->trigger();
            QVERIFY2(item->isChecked(), qPrintable(choice.join(u' ')));
        }
    }

    void fileDialogsStartInTheFolderLastUsed()
    {
        m_main->command("MF_Open")->trigger();
        QCOMPARE(QDir(m_prompts->fileFolder), QDir(AppPath()));
        QDir(m_folder->dir().path()).mkpath("recordings");
        const QString path = m_folder->dir().filePath("recordings/20150301080000_a.LOG");
        m_prompts->fileAnswers << path;
        m_main->command("MF_Open")->trigger();
        m_main->command("MF_Open")->trigger(); // from the settings file
        QCOMPARE(QDir(m_prompts->fileFolder), QDir(m_folder->dir().filePath("recordings")));

        QVERIFY(m_main->openFile(log()));
        for (const char* command : {"MF_Excel", "MF_SnippingTool"}) {
            const QString folder = m_folder->dir().filePath(command);
            QDir().mkpath(folder);
            m_prompts->fileAnswers << folder + "/out.csv";
            m_main->command(command)->trigger();
            QCOMPARE(QDir(m_prompts->fileFolder), QDir(AppPath()));
            m_main->command(command)->trigger();
            QCOMPARE(QDir(m_prompts->fileFolder), QDir(folder));
        }
    }

    void failuresNameTheirFiles()
    {
        const QString missing = m_folder->dir().filePath("20150301080000_gone.LOG");
        QVERIFY(!m_main->openFile(missing));
        QCOMPARE(m_prompts->messages.size(), 1);
        QVERIFY(m_prompts->messages[0].text.contains(QDir::toNativeSeparators(missing).toUpper()));
        m_prompts->messages.clear();
        const QStringList several = {missing, m_folder->dir().filePath("20150302080000_gone.LOG"), m_folder->dir().filePath("a.TXT")};
        m_main->openFiles(several);
        QCOMPARE(m_prompts->messages.size(), 1);
        for (const QString& path : several) {
            QVERIFY(m_prompts->messages[0].text.contains(QDir::toNativeSeparators(path).toUpper()));
            QVERIFY(m_prompts->messages[0].details.contains(QDir::toNativeSeparators(path).toUpper()));
        }
    }
};

QTEST_MAIN(TestProgramModes)
#include "tst_programmodes.moc"
