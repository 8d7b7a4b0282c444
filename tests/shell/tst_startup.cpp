#include "support/fixtures.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

// Starts the program's start-up in real processes.
class TestStartup : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;
    QTemporaryDir m_runtime;      // the user's runtime folder, where the instance lock lies
    QTemporaryDir m_otherRuntime; // another user's
    QTemporaryDir m_files;        // recordings, and the folder a later start is started from

    QProcess* start(const QTemporaryDir& runtime, const QStringList& arguments = {})
    {
        auto* process = new QProcess(this);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        process->setProcessEnvironment(environment);
        process->setProgram(QStringLiteral(INSTANCE_CHECK));
        process->setArguments(QStringList{m_dir.path()} + arguments);
        process->setWorkingDirectory(m_files.path());
        process->start();
        return process;
    }

    // The first `count` lines the process prints (fewer when it stays silent for ten seconds).
    static QStringList linesOf(QProcess* process, qsizetype count = 1)
    {
        QStringList lines;
        while (lines.size() < count && (process->canReadLine() || process->waitForReadyRead(10000))) {
            while (lines.size() < count && process->canReadLine())
                lines << QString::fromUtf8(process->readLine()).chopped(1);
        }
        return lines;
    }

    // What a later start that ended printed.
    static QStringList linesOfFinished(QProcess* process)
    {
        if (!process->waitForFinished(20000) || process->exitCode() != 0)
            return {QStringLiteral("did not end with 0")};
        return QString::fromUtf8(process->readAll()).split(u'\n', Qt::SkipEmptyParts);
    }

    static void stop(QProcess* process)
    {
        process->kill();
        process->waitForFinished();
    }

    static void verifyRefused(const QStringList& lines)
    {
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].startsWith(u"Error|"));
        QVERIFY(lines[0].size() > 6); // the Korean text of the second-copy message
        QCOMPARE(lines[1], "refused");
    }

  private Q_SLOTS:
    void initTestCase()
    {
        QFile settings(m_dir.filePath("SetGraphInfo.ini"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[Language]\r\nLanguage=KOR\r\n");
        QVERIFY(QFile::copy(QStringLiteral(QOR_RESOURCES_DIR "/DataString-rKR.xml"), m_dir.filePath("DataString-rKR.xml")));
    }

    // Named relative to the folder the later start was started from, the file opens in the running
    // copy by its whole path.
    void aLaterStartHandsItsFilesToTheRunningCopy()
    {
        const QString path = fixtures::generated(m_files, {.model = "QOR1300", .records = 50});
        QProcess* first = start(m_runtime);
        QCOMPARE(linesOf(first), QStringList{"started"});
        QProcess* second = start(m_runtime, {QFileInfo(path).fileName()});
        QCOMPARE(linesOfFinished(second), QStringList{"handed over"});
        QStringList received = linesOf(first, 2);
        received.sort();
        QCOMPARE(received, QStringList({"front", "opened " + path}));
        stop(first);
    }

    void aLaterStartWithoutFilesBringsTheRunningCopyToTheFront()
    {
        QProcess* first = start(m_runtime);
        QCOMPARE(linesOf(first), QStringList{"started"});
        QProcess* second = start(m_runtime);
        QCOMPARE(linesOfFinished(second), QStringList{"handed over"});
        QCOMPARE(linesOf(first), QStringList{"front"});
        stop(first);
    }

    void aLaterStartIsRefusedWhenTheRunningCopyCannotBeReached_data()
    {
        QTest::addColumn<bool>("hangs");
        QTest::newRow("the running copy hangs") << true;
        QTest::newRow("its channel is gone") << false;
    }

    void aLaterStartIsRefusedWhenTheRunningCopyCannotBeReached()
    {
        QFETCH(bool, hangs);
        QProcess* first = start(m_runtime, hangs ? QStringList{"--hang"} : QStringList{});
        QCOMPARE(linesOf(first), QStringList{"started"});
        if (!hangs)
            QVERIFY(QFile::remove(m_runtime.filePath("QorTraceReader.socket")));
        verifyRefused(linesOfFinished(start(m_runtime, {m_files.filePath("any.LOG")})));
        stop(first);

        // Once the first copy is gone, the program starts again, and takes over the channel the
        // first one left behind.
        QProcess* third = start(m_runtime);
        QCOMPARE(linesOf(third), QStringList{"started"});
        QCOMPARE(linesOfFinished(start(m_runtime)), QStringList{"handed over"});
        QCOMPARE(linesOf(third), QStringList{"front"});
        stop(third);
    }

    // The lock and the channel are per user: another person on the same machine runs a copy of
    // their own.
    void anotherUserStartsACopyOfTheirOwn()
    {
        QProcess* mine = start(m_runtime);
        QCOMPARE(linesOf(mine), QStringList{"started"});
        QProcess* theirs = start(m_otherRuntime);
        QCOMPARE(linesOf(theirs), QStringList{"started"});
        for (const QTemporaryDir* runtime : {&m_runtime, &m_otherRuntime}) {
            QVERIFY(QFile::exists(runtime->filePath("QorTraceReader.lock")));
            QVERIFY(QFile::exists(runtime->filePath("QorTraceReader.socket")));
        }
        for (QProcess* process : {mine, theirs})
            stop(process);
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
