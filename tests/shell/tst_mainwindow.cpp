#include "data/loadeddataset.h"
#include "graph/graphwindow.h"
#include "graph/timeslider.h"
#include "graph/trendgraph.h"
#include "shell/apppath.h"
#include "shell/bgrcolor.h"
#include "shell/graphsettings.h"
#include "shell/inifile.h"
#include "shell/main/displaysettingswindow.h"
#include "shell/main/mainmenus.h"
#include "shell/main/mainwindow.h"
#include "shell/main/qttranslations.h"
#include "shell/programstate.h"
#include "shell/stringtable.h"
#include "support/fixtures.h"
#include "support/modalwindow.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"

#include <optional>

#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace qor;

class TestMainWindow : public QObject {
    Q_OBJECT

  private:
    std::optional<ProgramFolder> m_folder;
    ScriptedPrompts* m_prompts = nullptr;

  private Q_SLOTS:
    void init()
    {
        m_folder.emplace();
        m_prompts = &ScriptedPrompts::install();
    }

    // Pinned as the menus must be, not taken from the menu table under test: name, parent menu
    // (none for the menu bar), English caption, enabled at the start.
    void everyMenuItemHasItsNameAndStartingState()
    {
        struct Row {
            const char* name;
            const char* parent;
            const char* caption;
            bool enabled;
        };
        const std::vector<Row> rows = {
            {"M_File", "", "File", true},
            {"MF_Open", "M_File", "Open", true},
            {"MF_FileInfo", "M_File", "File Info", false},
            {"MF_SnippingTool", "M_File", "Capture", false},
            {"MF_Excel", "M_File", "Export CSV", false},
            {"MF_Preview", "M_File", "Print Preview", false},
            {"MF_Print", "M_File", "Print", false},
            {"M_Exit", "M_File", "Exit", true},
            {"M_TimeAxis", "", "Time Axis", false},
            {"MT_RelaTime", "M_TimeAxis", "Relative Time", true},
            {"MT_AbsTime", "M_TimeAxis", "Absolute Time", true},
            {"MT_DataFind", "M_TimeAxis", "Data Search", true},
            {"M_View", "", "View", true},
            {"MV_Style", "M_View", "Style", false},
            {"MV_Style_1", "MV_Style", "Light", false},
            {"MV_Style_2", "MV_Style", "Dark", false},
            {"MV_Line", "M_View", "Line", false},
            {"MVL_Normal", "MV_Line", "Normal", false},
            {"MVL_Middle", "MV_Line", "Medium", false},
            {"MVL_Thick", "MV_Line", "Thick", false},
            {"MV_ZoomIn", "M_View", "Zoom In", false},
            {"MV_ZoomOut", "M_View", "Zoom Out", false},
            {"MV_FullRange", "M_View", "Full Range", false},
            {"MV_Language", "M_View", "Language", true},
            {"MV_Language_KOR", "MV_Language", "Korean", true},
            {"MV_Language_ENG", "MV_Language", "English", true},
            {"MV_Language_CHR", "MV_Language", "Chinese", true},
            {"M_YGrid", "", "Y Axis", false},
            {"MY_standard", "M_YGrid", "Standard Grid", true},
            {"MY_Dense1", "M_YGrid", "Dense Grid 1", true},
            {"MY_Dense2", "M_YGrid", "Dense Grid 2", true},
            {"M_XGrid", "", "X Axis", false},
            {"MX_Standard", "M_XGrid", "Standard Grid", true},
            {"MX_Dense1", "M_XGrid", "Dense Grid 1", true},
            {"MX_Dense2", "M_XGrid", "Dense Grid 2", true},
            {"M_Window", "", "Window", false},
            {"MW_Dis_1", "M_Window", "", true},
            {"MW_Dis_2", "M_Window", "", true},
            {"MW_Cascade", "M_Window", "Cascade", true},
            {"MW_Tile", "M_Window", "Tile", true},
            {"M_DisplaySet", "", "Display Settings", false},
            {"M_Help", "", "Help", true},
            {"MH_About", "M_Help", "About", true},
        };
        MainWindow window;
        QCOMPARE(window.objectName(), "MDIForm1");
        QCOMPARE(window.windowTitle(), "QOR Trace Reader");
        QCOMPARE(window.allCommands().size(), static_cast<qsizetype>(rows.size()) + 15); // and the toolbar buttons
        for (const Row& row : rows) {
            QAction* action = window.command(QString::fromLatin1(row.name));
            QVERIFY2(action, row.name);
            const QList<QAction*> siblings =
                *row.parent ? window.command(QString::fromLatin1(row.parent))->menu()->actions() : window.menuBar()->actions();
            QVERIFY2(siblings.contains(action), row.name);
            // The window list items stay hidden until a file gives them a caption.
            const bool windowListItem = QByteArray(row.name).startsWith("MW_Dis");
            QVERIFY2(action->isVisible() == !windowListItem, row.name);
            if (!windowListItem) {
                QVERIFY2(action->isEnabled() == row.enabled, row.name);
                QCOMPARE(action->text(), QString::fromUtf8(row.caption));
            }
        }
        QVERIFY(window.command("MT_AbsTime")->isChecked());
        QVERIFY(window.command("MV_Language_ENG")->isChecked());
        QVERIFY(!window.command("MV_Language_KOR")->isChecked());
        QCOMPARE(window.menuBar()->findChild<QMenu*>("M_File")->actions().size(), 8); // and the recent files
    }

    // Pinned likewise.
    void choicesCarryCheckMarksAndFileCommandsNeedAFile()
    {
        MainWindow window;
        QStringList checkable;
        for (QAction* action : window.allCommands()) {
            if (action->isCheckable())
                checkable << action->objectName();
        }
        checkable.sort();
        QStringList expected = {"MT_RelaTime", "MT_AbsTime",      "MV_Style_1",      "MV_Style_2",      "MVL_Normal",  "MVL_Middle",
                                "MVL_Thick",   "MV_Language_KOR", "MV_Language_ENG", "MV_Language_CHR", "MY_standard", "MY_Dense1",
                                "MY_Dense2",   "MX_Standard",     "MX_Dense1",       "MX_Dense2",       "MW_Dis_1",    "MW_Dis_2"};
        expected.sort();
        QCOMPARE(checkable, expected);
        for (const char* name : {"MF_FileInfo", "MF_Print", "M_TimeAxis", "M_DisplaySet", "MV_Style"})
            QVERIFY2(!window.command(name)->isEnabled(), name);
        for (const char* name : {"MF_Open", "M_Exit", "M_View", "MV_Language_KOR"})
            QVERIFY2(window.command(name)->isEnabled(), name);
    }

    void toolbarButtonsStartAsTheyShould()
    {
        MainWindow window;
        for (int index = 1; index <= 15; ++index) {
            QCOMPARE(window.button(index)->isEnabled(), index == 1 || index == 14 || index == 15);
            QVERIFY(!window.button(index)->icon().isNull());
        }
        QCOMPARE(window.button(1)->text(), stringEntry(MDIFormText::Open));
        QCOMPARE(window.button(15)->text(), stringEntry(MDIFormText::SplitData));
        QCOMPARE(window.statusPanel1(), "");
    }

    void switchingLanguageRewritesCaptionsAndSettings()
    {
        MainWindow window;
        const QString english = window.command("MF_Open")->text();
        QSignalSpy changed(&window, &MainWindow::languageChanged);
        window.command("MV_Language_KOR")->trigger();
        QCOMPARE(changed.size(), 1);
        QCOMPARE(window.command("MF_Open")->text(), "열기");
        QCOMPARE(window.button(3)->text(), "캡쳐");
        QVERIFY(window.command("MV_Language_KOR")->isChecked());
        QVERIFY(!window.command("MV_Language_ENG")->isChecked());
        QCOMPARE(IniFile(graphSettingsPath()).read(u"Language", u"Language", 10), "KOR");
        window.command("MV_Language_ENG")->trigger();
        QCOMPARE(window.command("MF_Open")->text(), english);
        window.command("MV_Language_CHR")->trigger();
        QCOMPARE(graphSettings().LangCode, "CHR");
        QVERIFY(window.command("MV_Language_CHR")->isChecked());
    }

    void theCombinedViewSwitchesCommandsOff()
    {
        MainWindow window;
        window.button(14)->trigger();
        QCOMPARE(window.statusPanel1(), "1");
        QVERIFY(window.combinedViewActive());
        for (int index = 1; index <= 14; ++index)
            QVERIFY(!window.button(index)->isEnabled());
        QVERIFY(window.button(15)->isEnabled());
        for (const char* name : {"M_TimeAxis", "M_View", "M_YGrid", "M_XGrid", "M_Window", "M_DisplaySet"})
            QVERIFY2(!window.command(name)->isEnabled(), qPrintable(name));
    }

    void theWindowListShowsUpperCasedPathsAndChecksOneItem()
    {
        MainWindow window;
        loadedData().slot(1).FilePath = QStringLiteral("/data/Oven.csv");
        window.updateCommands();
        QCOMPARE(window.command("MW_Dis_1")->text(), "/DATA/OVEN.CSV");
        QVERIFY(window.command("MW_Dis_1")->isVisible());
        QVERIFY(!window.command("MW_Dis_2")->isVisible());
        window.showSlotWindow(2);
        QVERIFY(!window.command("MW_Dis_1")->isChecked());
        QVERIFY(window.command("MW_Dis_2")->isChecked());
        window.command("MW_Dis_1")->trigger();
        QVERIFY(window.command("MW_Dis_1")->isChecked());
        QVERIFY(!window.command("MW_Dis_2")->isChecked());
    }

    void aMissingFileSplitterIsReported()
    {
        MainWindow window;
        window.button(15)->trigger();
        QCOMPARE(m_prompts->messages.size(), 1);
        QCOMPARE(m_prompts->messages[0].title, "Error");
        QVERIFY(m_prompts->messages[0].text.contains(u"QorSplit"));
    }

    void theFileSplitterStartsWithoutWaiting()
    {
        const QString marker = m_folder->dir().filePath("split-ran");
        QFile tool(m_folder->dir().filePath("QorSplit"));
        QVERIFY(tool.open(QIODevice::WriteOnly));
        tool.write(QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(marker).toUtf8());
        tool.close();
        tool.setPermissions(tool.permissions() | QFileDevice::ExeOwner);
        MainWindow window;
        window.button(15)->trigger();
        QVERIFY(m_prompts->messages.isEmpty());
        QTRY_VERIFY(QFile::exists(marker));
        QFile::remove(tool.fileName());
    }

    // A recording of 600 records, one a second, opened into the next free slot.
    QString openRecording(MainWindow& window)
    {
        samplegen::Recording recording;
        recording.records = 600;
        const QString path = fixtures::generated(m_folder->dir(), recording);
        if (!window.openFile(path))
            qFatal("cannot open %s", qPrintable(path));
        return path;
    }

    void theTimeSearchNeedsTheAbsoluteTimeAxis()
    {
        MainWindow window;
        openRecording(window);
        QCOMPARE(modalWindowShownBy(*window.button(13)), "frmDataFind");
        QVERIFY(m_prompts->messages.isEmpty());
        graphWindow(1)->setLabel3(0, QStringLiteral("0"));
        window.command("MT_DataFind")->trigger();
        QCOMPARE(m_prompts->messages.size(), 1);
        QCOMPARE(m_prompts->messages[0].text, stringEntry(FindText::NeedsAbsoluteTime));
        QCOMPARE(m_prompts->messages[0].title, "Error");
    }

    void theWholeRangeButtonUndoesTheZoom()
    {
        MainWindow window;
        openRecording(window);
        const SlotData& slot = loadedData().slot(1);
        TrendAxis& time = graphWindow(1)->CWGraph1()->axis(GraphAxis::Time);
        time.setMinMax(*slot.FirstTime + 0.001, *slot.FirstTime + 0.002);
        zoomHistory(1).push(time.minimum(), time.maximum());
        graphWindow(1)->CWSlide7()->show();
        window.button(9)->trigger();
        QCOMPARE(time.minimum(), *slot.FirstTime);
        QCOMPARE(time.maximum(), *slot.LastTime);
        QCOMPARE(zoomHistory(1).depth(), 0);
        QVERIFY(!graphWindow(1)->CWSlide7()->isVisibleTo(graphWindow(1)));
    }

    // OK in the display settings recolours the plots and the axes of both graph windows.
    void displaySettingsReachTheGraphWindows()
    {
        MainWindow window;
        openRecording(window);
        openRecording(window);
        loadedData().FileNo = 1;
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<DisplaySettingsWindow*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->findChild<QPushButton*>("Command4")->click();
            dialog->findChild<QPushButton*>("Command1")->click();
        });
        graphSettings().PlotColor.fill(0x123456);
        graphSettings().OutputColor = 0;
        graphWindow(2)->applyPlotSettings();
        window.command("M_DisplaySet")->trigger();
        // Every window takes the new colours, not only those up to the current slot.
        QCOMPARE(graphWindow(1)->CWGraph1()->plot(2).color(), fromBgr(0xFF00FF));
        QCOMPARE(graphWindow(2)->CWGraph1()->plot(2).color(), fromBgr(0xFF00FF));
        QCOMPARE(graphWindow(2)->CWGraph1()->axis(GraphAxis::Output).labelColor(), fromBgr(0x80FF));
        QCOMPARE(graphWindow(1)->CWGraph1()->axis(GraphAxis::Temperature).maximum(), 300.0);
    }

    void qtDialogTextsFollowTheLanguage()
    {
        MainWindow window;
        window.chooseLanguage(QStringLiteral("ENG"));
        const QString english = QCoreApplication::translate("QFileDialog", "&Open");
        window.chooseLanguage(QStringLiteral("KOR"));
        QVERIFY(QCoreApplication::translate("QFileDialog", "&Open") != english);
        window.chooseLanguage(QStringLiteral("ENG"));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "&Open"), english);
    }

    // A machine without Qt's catalogs still runs, in English Qt dialogs, and the error log says why.
    void missingQtCatalogsLeaveQtInEnglishAndAreLogged()
    {
        const QString english = QCoreApplication::translate("QFileDialog", "&Open");
        QFile::remove(m_folder->dir().filePath("TraceReader.log"));
        QTemporaryDir noCatalogs;
        QVERIFY(!useQtTranslations(QStringLiteral("KOR"), noCatalogs.path()));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "&Open"), english);
        const QByteArray log = fixtures::contents(m_folder->dir().filePath("TraceReader.log"));
        QVERIFY(log.contains("qtbase_ko"));
        QVERIFY(log.contains("qt6-translations-l10n"));
        QVERIFY(useQtTranslations(QStringLiteral("ENG"), noCatalogs.path())); // English needs no catalog
        QVERIFY(useQtTranslations(QStringLiteral("CHR")));
        QVERIFY(QCoreApplication::translate("QFileDialog", "&Open") != english);
        QVERIFY(useQtTranslations(QStringLiteral("ENG")));
    }

    void withoutSettingsEverythingIsEmpty()
    {
        QFile::remove(graphSettingsPath());
        m_folder->restart();
        m_prompts = &ScriptedPrompts::install();
        QCOMPARE(graphSettings().LangCode, "");
        QCOMPARE(graphSettings().PVRange.maximum, 0.0);
        MainWindow window;
        for (const char* code : {"MV_Language_KOR", "MV_Language_ENG", "MV_Language_CHR"})
            QVERIFY(!window.command(code)->isChecked());
    }

    void exitClosesTheMainWindow()
    {
        MainWindow window;
        window.show();
        window.command("M_Exit")->trigger();
        QVERIFY(!window.isVisible());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
