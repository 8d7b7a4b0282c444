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

    QProcess* start(const QTemporaryDir& runtime)
    {
        auto* process = new QProcess(this);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        process->setProcessEnvironment(environment);
        process->setProgram(QStringLiteral(INSTANCE_CHECK));
        process->setArguments({m_dir.path()});
        process->start();
        return process;
    }

    static QString outputOf(QProcess* process)
    {
        process->waitForReadyRead(10000);
        while (!process->canReadLine() && process->waitForReadyRead(10000)) {
        }
        QString all;
        while (process->canReadLine())
            all += QString::fromUtf8(process->readLine());
        return all;
    }

  private Q_SLOTS:
    void initTestCase()
    {
        QFile settings(m_dir.filePath("SetGraphInfo.ini"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[Language]\r\nLanguage=KOR\r\n");
        QVERIFY(QFile::copy(QStringLiteral(QOR_RESOURCES_DIR "/DataString-rKR.xml"), m_dir.filePath("DataString-rKR.xml")));
    }

    void aSecondCopyIsRefusedWithAMessage()
    {
        QProcess* first = start(m_runtime);
        QCOMPARE(outputOf(first), "started\n");
        QProcess* second = start(m_runtime);
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitCode(), 0);
        const QStringList lines = QString::fromUtf8(second->readAll()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].startsWith(u"Error|"));
        QVERIFY(lines[0].size() > 6); // the Korean text of the second-copy message
        QCOMPARE(lines[1], "refused");
        first->kill();
        first->waitForFinished();

        // Once the first copy is gone, the program starts again.
        QProcess* third = start(m_runtime);
        QCOMPARE(outputOf(third), "started\n");
        third->kill();
        third->waitForFinished();
    }

    // The lock is per user: another person on the same machine runs a copy of their own.
    void anotherUserStartsACopyOfTheirOwn()
    {
        QProcess* mine = start(m_runtime);
        QCOMPARE(outputOf(mine), "started\n");
        QProcess* theirs = start(m_otherRuntime);
        QCOMPARE(outputOf(theirs), "started\n");
        QVERIFY(QFile::exists(m_runtime.filePath("QorTraceReader.lock")));
        QVERIFY(QFile::exists(m_otherRuntime.filePath("QorTraceReader.lock")));
        for (QProcess* process : {mine, theirs}) {
            process->kill();
            process->waitForFinished();
        }
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
