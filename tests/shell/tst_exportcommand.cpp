#include "data/loadeddataset.h"
#include "graph/graphwindow.h"
#include "output/csvexport.h"
#include "shell/graphsettings.h"
#include "shell/main/mainwindow.h"
#include "shell/programstate.h"
#include "shell/stringtable.h"
#include "support/busycanceller.h"
#include "support/filesizelimit.h"
#include "support/fixtures.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"

#include <QAction>
#include <QTest>

#include <memory>

using namespace qor;

namespace {

double plotValue(int record, int value)
{
    return record * 0.5 - value;
}

} // namespace

class TestExportCommand : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ProgramFolder> m_folder;
    ScriptedPrompts* m_prompts = nullptr;
    std::unique_ptr<MainWindow> m_main;

    QString errorLog() const { return QString::fromUtf8(fixtures::contents(m_folder->dir().filePath("TraceReader.log"))); }

    void open(const QString& path)
    {
        if (!m_main->openFile(path))
            qFatal("the recording did not open");
    }

  private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        m_prompts = &ScriptedPrompts::install();
        m_main = std::make_unique<MainWindow>();
    }

    void cleanup()
    {
        m_main.reset();
        m_folder.reset();
    }

    void csvRecordingsAreRefused()
    {
        open(m_folder->writeCsv("QOR1300", "X", {"1,2,3,4,5,6,7,8,9"}));
        m_main->command("MF_Excel")->trigger();
        QCOMPARE(m_prompts->messages.size(), 1);
        QCOMPARE(m_prompts->messages[0].text, stringEntry(MDIFormText::OnlyLogAndDatExport));
        QCOMPARE(m_prompts->messages[0].title, "File Name Check");
        QVERIFY(m_prompts->fileFilters.isEmpty()); // no dialog was shown
    }

    // The menu item and toolbar button 5 write what the exporter writes for the slot, in the
    // designators of the interface language.
    void bothCommandsExportTheCurrentSlot_data()
    {
        QTest::addColumn<bool>("toolbar");
        QTest::newRow("menu") << false;
        QTest::newRow("toolbar") << true;
    }

    void bothCommandsExportTheCurrentSlot()
    {
        QFETCH(bool, toolbar);
        m_folder->setSetting(QStringLiteral("Language"), QStringLiteral("Language"), QStringLiteral("KOR"));
        open(m_folder->writeLog("QOR1300", {}, 100, 600, plotValue));
        const QString target = m_folder->dir().filePath("exported.csv");
        m_prompts->fileAnswers.enqueue(target);
        QAction* action = toolbar ? m_main->button(5) : m_main->command("MF_Excel");
        QVERIFY(action && action->isEnabled());
        action->trigger();
        QCOMPARE(m_prompts->fileFilters, (QStringList{"All Files (*.*)", "Excel Files (*.csv)"}));
        QCOMPARE(m_prompts->selectedFilter, 1);
        QVERIFY(m_prompts->messages.isEmpty());
        const QString expected = m_folder->dir().filePath("expected.csv");
        QVERIFY(output::FuncWriteExcelFile(loadedData().current(), expected, datetime::amPmFor(u"KOR")).ok());
        const QByteArray written = fixtures::contents(target);
        QCOMPARE(written, fixtures::contents(expected));
        QVERIFY(written.contains(QStringLiteral("오후").toUtf8()));
    }

    void aCancelledDialogWritesAndLogsNothing()
    {
        open(m_folder->writeLog("QOR1300", {}, 10, 1, plotValue));
        const QString before = errorLog();
        m_main->command("MF_Excel")->trigger();
        QCOMPARE(m_prompts->fileFilters.size(), 2); // the dialog was shown and cancelled
        QVERIFY(m_prompts->messages.isEmpty());
        QCOMPARE(errorLog(), before);
    }

    void aFailedExportIsReportedAndLogged()
    {
        const QString recording = m_folder->writeLog("QOR1300", {}, 10, 1, plotValue);
        open(recording);
        const QString target = recording + QStringLiteral("/inside.csv"); // a file is no folder
        m_prompts->fileAnswers.enqueue(target);
        m_main->command("MF_Excel")->trigger();
        QCOMPARE(m_prompts->messages.size(), 1);
        QCOMPARE(m_prompts->messages[0].title, "Error");
        QVERIFY(m_prompts->messages[0].warning);
        QVERIFY(m_prompts->messages[0].text.contains(target));
        QVERIFY(m_prompts->messages[0].text.contains(u"Not a directory"));
        QVERIFY(errorLog().contains(u"in Project1.modFunc_Ran.FuncWriteExcelFile "));
    }

    // A disk that fills up part way: the message and the log line name the system's reason.
    void aFullDiskIsToldWithTheSystemsReason()
    {
        open(m_folder->writeLog("QOR1300", {}, 20000, 1, plotValue));
        const QString target = m_folder->dir().filePath("full.csv");
        m_prompts->fileAnswers.enqueue(target);
        {
            const FileSizeLimit fullDisk(100000);
            m_main->command("MF_Excel")->trigger();
        }
        QCOMPARE(m_prompts->messages.size(), 1);
        QVERIFY(m_prompts->messages[0].warning);
        QVERIFY2(m_prompts->messages[0].text.contains(u"File too large"), qPrintable(m_prompts->messages[0].text));
        QVERIFY(errorLog().contains(u"File too large"));
        QVERIFY(!QFile::exists(target));
    }

    // An export the user cancels part way leaves the file of the chosen name as it was and
    // tells and logs nothing.
    void aCancelledExportLeavesTheTargetAsItWas()
    {
        m_main->show();
        open(m_folder->writeLog("QOR1300", {}, 200000, 1, plotValue));
        const QString target = m_folder->dir().filePath("exported.csv");
        fixtures::setContents(target, "former\r\n");
        const QString logBefore = errorLog();
        m_prompts->fileAnswers.enqueue(target);
        const BusyCanceller canceller(*graphWindow(1)->Frame1(), BusyCanceller::By::Button);
        m_main->command("MF_Excel")->trigger();
        QVERIFY(canceller.cancelledAt() && *canceller.cancelledAt() < 1);
        QCOMPARE(fixtures::contents(target), "former\r\n");
        QVERIFY(m_prompts->messages.isEmpty());
        QCOMPARE(errorLog(), logBefore);
    }
};

QTEST_MAIN(TestExportCommand)
#include "tst_exportcommand.moc"
