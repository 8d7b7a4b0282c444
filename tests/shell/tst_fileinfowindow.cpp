#include "data/loadeddataset.h"
#include "graph/graphwindow.h"
#include "graph/trendgraph.h"
#include "shell/graphsettings.h"
#include "shell/inifile.h"
#include "shell/main/fileinfowindow.h"
#include "shell/main/mainwindow.h"
#include "shell/programstate.h"
#include "support/modalwindow.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace qor;

namespace {

double plotValue(int record, int value)
{
    return record + value / 10.0;
}

QString fact(const FileInfoWindow& window, int n)
{
    return window.findChild<QLabel*>(QStringLiteral("Label2_%1").arg(n))->text();
}

QCheckBox* printSwitch(const FileInfoWindow& window, int n)
{
    return window.findChild<QCheckBox*>(QStringLiteral("Check1_%1").arg(n));
}

QString storedSwitch(int n)
{
    return IniFile(graphSettingsPath()).read(u"Print_Set", QStringLiteral("Print_Info_%1").arg(n), 8);
}

} // namespace

class TestFileInfoWindow : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ProgramFolder> m_folder;
    std::unique_ptr<MainWindow> m_main;

    GraphWindow& openRecording()
    {
        const QString path = m_folder->writeLog("QOR1300", {}, 7200, 1, plotValue);
        if (!m_main->openFile(path))
            qFatal("the recording did not open");
        return *graphWindow(loadedData().FileNo);
    }

  private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        ScriptedPrompts::install();
        m_main = std::make_unique<MainWindow>();
    }
    void cleanup()
    {
        m_main.reset();
        m_folder.reset();
    }

    void captionsFollowTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("captions"); // title, switch 1, switch 5, OK, Cancel
        QTest::newRow("English") << "ENG" << QStringList{"File Information", " File Name", " Print Comment", "OK", "Cancel"};
        QTest::newRow("Korean") << "KOR" << QStringList{"파일정보", " 파일명", " 인쇄코멘트", "확    인", "취   소"};
        QTest::newRow("Chinese") << "CHR" << QStringList{"文件信息", " 文件名", " 打印备注", "确定", "取消"};
    }
    void captionsFollowTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, captions);
        m_folder->setSetting(QStringLiteral("Language"), QStringLiteral("Language"), language);
        FileInfoWindow window(openRecording());
        QCOMPARE(window.objectName(), "frmFileInfo");
        QCOMPARE(window.windowTitle(), captions[0]);
        QCOMPARE(printSwitch(window, 1)->text(), captions[1]);
        QCOMPARE(printSwitch(window, 5)->text(), captions[2]);
        QCOMPARE(window.findChild<QPushButton*>("Command1")->text(), captions[3]);
        QCOMPARE(window.findChild<QPushButton*>("Command2")->text(), captions[4]);
    }

    // A dialog: a title and a close button, and no minimise or maximise button.
    void theWindowIsADialog()
    {
        FileInfoWindow window(openRecording());
        const Qt::WindowFlags flags = window.windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint) && flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint) && !flags.testFlag(Qt::WindowMaximizeButtonHint));
    }

    void theMenuItemAndButton4ShowTheWindow()
    {
        openRecording();
        for (QAction* trigger : {m_main->command("MF_FileInfo"), m_main->button(4)}) {
            QVERIFY(trigger->isEnabled());
            QCOMPARE(modalWindowShownBy(*trigger), "frmFileInfo");
        }
    }

    // The facts of the range shown now, zoom included; a relative axis shows its range as dates.
    void theFactsShowTheRangeShown()
    {
        GraphWindow& graph = openRecording();
        graph.CWGraph1()->axis(GraphAxis::Time).setMinMax(ProgramFolder::at(3600), ProgramFolder::at(5400 + 1));
        {
            FileInfoWindow window(graph);
            QCOMPARE(fact(window, 1), loadedData().slot(graph.slot()).FilePath.toUpper());
            QCOMPARE(fact(window, 2), "QOR1300");
            QCOMPARE(fact(window, 3), "2015-03-01 AM 09:00:00 ");
            QCOMPARE(fact(window, 4), "2015-03-01 AM 09:30:01 ");
        }
        m_main->command("MT_RelaTime")->trigger();
        FileInfoWindow relative(graph);
        QCOMPARE(fact(relative, 3), "1899-12-30 AM 12:00:00 ");
        QCOMPARE(fact(relative, 4), "1899-12-30 AM 01:59:59 ");
    }

    // A switch changes the setting in memory at once; only OK writes the switches, keeps the
    // comment and shows it on the graph window.
    void okWritesAndCancelKeepsTheFile()
    {
        GraphWindow& graph = openRecording();
        QCOMPARE(graphSettings().PrintInfo[1], 1);
        {
            FileInfoWindow window(graph);
            QVERIFY(printSwitch(window, 2)->isChecked());
            printSwitch(window, 2)->click();
            QCOMPARE(graphSettings().PrintInfo[1], 0);
            window.findChild<QLineEdit*>("Text1")->setText(QStringLiteral("batch 7"));
            window.findChild<QPushButton*>("Command2")->click();
        }
        QCOMPARE(storedSwitch(2), "1");
        QCOMPARE(graphSettings().PrintInfo[1], 0);
        QVERIFY(loadedData().slot(graph.slot()).PrintComment.isEmpty());
        {
            FileInfoWindow window(graph);
            QVERIFY(!printSwitch(window, 2)->isChecked());
            QVERIFY(window.findChild<QLineEdit*>("Text1")->text().isEmpty()); // not shown again
            window.findChild<QPushButton*>("Command1")->click();
        }
        QCOMPARE(storedSwitch(2), "0");
        QCOMPARE(storedSwitch(1), "1");
        QCOMPARE(graph.Label4(2)->text(), "Print Comment :  ");
        {
            FileInfoWindow window(graph);
            window.findChild<QLineEdit*>("Text1")->setText(QStringLiteral("batch 7"));
            window.findChild<QPushButton*>("Command1")->click();
        }
        QCOMPARE(loadedData().slot(graph.slot()).PrintComment, "batch 7");
        QCOMPARE(graph.Label4(2)->text(), "Print Comment :  batch 7");
    }
};

QTEST_MAIN(TestFileInfoWindow)
#include "tst_fileinfowindow.moc"
