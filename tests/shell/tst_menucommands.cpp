#include "data/loadeddataset.h"
#include "graph/graphwindow.h"
#include "graph/trendgraph.h"
#include "shell/layoutscaler.h"
#include "shell/main/mainwindow.h"
#include "shell/programstate.h"
#include "shell/slotwindows.h"
#include "shell/stringtable.h"
#include "shell/zoomhistory.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <optional>

using namespace qor;

namespace {

double plotValue(int record, int value)
{
    return 20 + record % 40 + value;
}

const QStringList GraphCommands = {"MV_Style",   "MV_Style_1", "MV_Style_2", "MV_Line",    "MVL_Normal",
                                   "MVL_Middle", "MVL_Thick",  "MV_ZoomIn",  "MV_ZoomOut", "MV_FullRange"};

} // namespace

// The menu items beyond the toolbar: the View menu's style, line and zoom items, the shortcuts, the
// Window menu's arrangement and the about box.
class TestMenuCommands : public QObject {
    Q_OBJECT

  private:
    std::optional<ProgramFolder> m_folder;
    ScriptedPrompts* m_prompts = nullptr;
    std::optional<MainWindow> m_main;

    QAction* command(const char* name) const { return m_main->command(QString::fromLatin1(name)); }

    bool graphCommandsEnabled(bool enabled) const
    {
        for (const QString& name : GraphCommands) {
            if (m_main->command(name)->isEnabled() != enabled) {
                qWarning("%s", qPrintable(name));
                return false;
            }
        }
        return true;
    }

    GraphWindow& open()
    {
        if (!m_main->openFile(m_folder->writeLog("QOR1300", {}, 400, 1, plotValue)))
            qFatal("not opened");
        return *graphWindow(loadedData().FileNo);
    }

  private Q_SLOTS:
    void init()
    {
        m_folder.emplace();
        m_prompts = &ScriptedPrompts::install();
        m_main.emplace();
        m_main->show();
    }

    void cleanup() { m_main.reset(); }

    // The items follow the active window: on over a slot's graph, off over its table.
    void theViewItemsWorkOnTheActiveGraphWindow()
    {
        QVERIFY(graphCommandsEnabled(false));
        GraphWindow& window = open();
        QVERIFY(graphCommandsEnabled(true));
        m_main->button(8)->trigger(); // the table window
        QVERIFY(graphCommandsEnabled(false));
        m_main->button(7)->trigger();
        QVERIFY(graphCommandsEnabled(true));

        command("MVL_Thick")->trigger();
        QCOMPARE(window.CWGraph1()->plot(5).lineWidth(), 3);
        QVERIFY(command("MVL_Thick")->isChecked());
        QVERIFY(!command("MVL_Normal")->isChecked());
        QCOMPARE(window.Label3(2), QStringLiteral("2"));

        command("MV_Style_1")->trigger();
        QVERIFY(!window.darkStyle());
        QVERIFY(command("MV_Style_1")->isChecked());
        command("MV_Style_2")->trigger();
        QVERIFY(window.darkStyle());
        QVERIFY(command("MV_Style_2")->isChecked());
        QVERIFY(!command("MV_Style_1")->isChecked());

        command("MV_ZoomIn")->trigger();
        QCOMPARE(window.CWGraph1()->trackMode(), TrendGraph::TrackZoomX);
        window.CWGraph1()->axis(GraphAxis::Time).setMinMax(ProgramFolder::at(100), ProgramFolder::at(200));
        Q_EMIT window.CWGraph1()->zoomCompleted();
        QCOMPARE(zoomHistory(window.slot()).depth(), 1);
        command("MV_FullRange")->trigger();
        QCOMPARE(zoomHistory(window.slot()).depth(), 0);
        QCOMPARE(window.CWGraph1()->axis(GraphAxis::Time).maximum(), ProgramFolder::at(399));

        window.parentWidget()->close(); // the sub-window, as its close button does
        QVERIFY(graphCommandsEnabled(false));
    }

    void theMainCommandsHaveTheirShortcuts()
    {
        QCOMPARE(command("MF_Open")->shortcut(), QKeySequence(QKeySequence::Open));
        QCOMPARE(command("MF_Print")->shortcut(), QKeySequence(QKeySequence::Print));
        QCOMPARE(command("MF_Excel")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
        QCOMPARE(command("MT_DataFind")->shortcut(), QKeySequence(QKeySequence::Find));
        QCOMPARE(command("MV_ZoomIn")->shortcut(), QKeySequence(QKeySequence::ZoomIn));
        QCOMPARE(command("MV_ZoomOut")->shortcut(), QKeySequence(QKeySequence::ZoomOut));
        QCOMPARE(command("MV_FullRange")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_0));

        // Ctrl+"+" and, without the Shift that "+" needs on most keyboards, Ctrl+"=".
        for (const Qt::Key key : {Qt::Key_Plus, Qt::Key_Equal}) {
            GraphWindow& window = open();
            QTest::keyClick(m_main.operator->(), key, Qt::ControlModifier);
            QCOMPARE(window.CWGraph1()->trackMode(), TrendGraph::TrackZoomX);
        }
    }

    // Four windows tiled in a small main window are each a fraction of their design size; the
    // graphs' texts stay readable.
    void tiledGraphsKeepReadableTexts()
    {
        m_main->resize(800, 600);
        for (int file = 0; file < 2; ++file) {
            open();
            m_main->button(8)->trigger(); // its table window
        }
        command("MW_Tile")->trigger();
        for (int slot : {1, 2}) {
            const GraphWindow& window = *graphWindow(slot);
            QVERIFY(window.height() < 300);
            QVERIFY2(window.CWGraph1()->font().pointSizeF() >= LayoutScaler::MinimumPointSize,
                     qPrintable(QString::number(window.CWGraph1()->font().pointSizeF())));
        }
    }

    void theWindowsAreArrangedAndTheVersionShown()
    {
        open();
        open();
        command("MW_Tile")->trigger();
        const QList<QMdiSubWindow*> shown = m_main->mdiArea()->subWindowList();
        int visible = 0;
        for (const QMdiSubWindow* sub : shown)
            visible += sub->isVisible() && !sub->isMaximized() ? 1 : 0;
        QVERIFY(visible >= 2);
        command("MW_Cascade")->trigger();

        command("MH_About")->trigger();
        QCOMPARE(m_prompts->messages.size(), 1);
        QCOMPARE(m_prompts->messages[0].title, stringEntry(MDIFormText::About));
        QVERIFY(m_prompts->messages[0].text.contains(QStringLiteral(QOR_VERSION)));
    }
};

QTEST_MAIN(TestMenuCommands)
#include "tst_menucommands.moc"
