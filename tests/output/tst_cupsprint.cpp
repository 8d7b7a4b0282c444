#include "data/loadeddataset.h"
#include "graph/graphwindow.h"
#include "output/reportprint.h"
#include "shell/legendstate.h"
#include "shell/main/mainwindow.h"
#include "shell/programstate.h"
#include "support/fixtures.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace qor;

namespace {

const QString Queue = QStringLiteral("QorReportPdf");

double plotValue(int record, int value)
{
    return 20 + record % 40 + value * 5;
}

void writeText(const QString& path, const QString& text)
{
    fixtures::setContents(path, text.toUtf8());
}

} // namespace

// The print command on a real CUPS queue: a scheduler of the test's own, configured in a temporary
// folder and reached through a socket there, with one queue whose backend files every job it gets
// as a PDF in the folder. Nothing of the machine's own printing setup is used or changed.
class TestCupsPrint : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_root;
    QProcess m_scheduler;
    QString m_notRunning; // why the scheduler does not run here

    QString at(const QString& name) const { return m_root.filePath(name); }

    void writeConfiguration()
    {
        for (const char* folder : {"etc", "spool", "tmp", "cache", "state", "log", "jobs", "bin/backend", "bin/daemon"})
            QDir().mkpath(at(QString::fromLatin1(folder)));
        writeText(at("cupsd.conf"), QStringLiteral("Listen %1\nLogLevel warn\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
                                                   "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n")
                                        .arg(at("cups.sock")));
        writeText(at("cups-files.conf"), QStringLiteral("ServerRoot %1\nRequestRoot %2\nTempDir %3\nCacheDir %4\nStateDir %5\n"
                                                        "ServerBin %6\nDataDir /usr/share/cups\nErrorLog %7\nAccessLog %8\n"
                                                        "PageLog %8\nPrintcap %9\nSandboxing Relaxed\n")
                                             .arg(at("etc"), at("spool"), at("tmp"), at("cache"), at("state"), at("bin"),
                                                  at("log/error_log"), at("log/access_log"), at("printcap")));
        // The scheduler starts every backend through its helper.
        QFile::link(QStringLiteral("/usr/lib/cups/daemon/cups-exec"), at("bin/daemon/cups-exec"));
        // The backend: the job's document, a PDF, into the folder the device names.
        const QString backend = at("bin/backend/pdffolder");
        writeText(backend, QStringLiteral("#!/bin/sh\n[ $# -eq 0 ] && exit 0\n"
                                          "if [ -n \"$6\" ]; then cat \"$6\"; else cat; fi > \"${DEVICE_URI#pdffolder:}/job-$1.pdf\"\n"));
        QFile::setPermissions(backend, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        writeText(at("etc/printers.conf"), QStringLiteral("<DefaultPrinter %1>\nInfo Report test queue\nDeviceURI pdffolder:%2\n"
                                                          "State Idle\nAccepting Yes\nShared No\n</DefaultPrinter>\n")
                                               .arg(Queue, at("jobs")));
    }

    // The scheduler's socket, once it listens; the reason otherwise.
    QString startScheduler()
    {
        m_scheduler.start(QStringLiteral("/usr/sbin/cupsd"), {"-f", "-c", at("cupsd.conf"), "-s", at("cups-files.conf")});
        if (!m_scheduler.waitForStarted(10000))
            return QStringLiteral("cupsd cannot be started: ") + m_scheduler.errorString();
        for (int wait = 0; wait < 100 && !QFileInfo::exists(at("cups.sock")); ++wait) {
            if (m_scheduler.waitForFinished(100))
                return QStringLiteral("cupsd stopped at once: ") + QString::fromLocal8Bit(m_scheduler.readAllStandardError()) +
                       QString::fromLocal8Bit(fixtures::contents(at("log/error_log")));
        }
        if (!QFileInfo::exists(at("cups.sock")))
            return QStringLiteral("cupsd made no socket within 10 s");
        return {};
    }

    QStringList jobsWritten(int wanted) const
    {
        QStringList jobs;
        for (int wait = 0; wait < 300 && jobs.size() < wanted; ++wait) {
            QTest::qWait(100);
            jobs = QDir(at("jobs")).entryList({"job-*.pdf"}, QDir::Files);
        }
        return jobs;
    }

  private Q_SLOTS:
    void initTestCase()
    {
        if (!QFileInfo::exists(QStringLiteral("/usr/sbin/cupsd"))) {
            m_notRunning = QStringLiteral("the CUPS scheduler (cups-daemon) is not installed");
            return;
        }
        writeConfiguration();
        // Before the first look at the printers: the program's CUPS library asks this scheduler.
        qputenv("CUPS_SERVER", at("cups.sock").toLocal8Bit());
        m_notRunning = startScheduler();
    }

    void cleanupTestCase()
    {
        if (m_scheduler.state() == QProcess::NotRunning)
            return;
        m_scheduler.terminate();
        if (!m_scheduler.waitForFinished(10000))
            m_scheduler.kill();
    }

    // The dialog's choice, named in other letters, is the printer the command prints on; the queue
    // gets one page of text and graph.
    void thePrintCommandPrintsOnTheChosenQueue()
    {
        if (!m_notRunning.isEmpty())
            QSKIP(qPrintable(m_notRunning));
        ProgramFolder folder;
        ScriptedPrompts& prompts = ScriptedPrompts::install();
        MainWindow main;
        main.show();
        QVERIFY(main.openFile(folder.writeLog("QOR1300", {}, 600, 10, plotValue)));
        graphWindow(loadedData().FileNo)->legendClicked(LegendState::RangeCursorsItem);
        QVERIFY(QPrinterInfo::availablePrinterNames().contains(Queue));
        prompts.printAnswer = [](QPrinter& printer) {
            printer.setOutputFileName({});
            return output::SelectPrinterByName(printer, QStringLiteral("qorreportpdf"));
        };
        main.command("MF_Print")->trigger();
        QCOMPARE(prompts.printDialogs, 1);
        QVERIFY2(prompts.messages.isEmpty(), qPrintable(prompts.messages.value(0).text));
        const QStringList jobs = jobsWritten(1);
        QVERIFY2(jobs.size() == 1, fixtures::contents(at("log/error_log")).right(2000).constData());
        const QByteArray pdf = fixtures::contents(at("jobs/" + jobs.front()));
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 1);
        QVERIFY(pdf.contains("/ToUnicode")); // the texts as text
    }
};

QTEST_MAIN(TestCupsPrint)
#include "tst_cupsprint.moc"
