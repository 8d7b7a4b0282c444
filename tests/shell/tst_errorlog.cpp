#include "shell/apppath.h"
#include "shell/errorlog.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qor;

class TestErrorLog : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void linesAreAppendedInTheLogFormat()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("TraceReader.log");
        const QDateTime when(QDate(2015, 1, 31), QTime(14, 5, 9));
        const ErrorLog log(path, [&] { return when; });
        QVERIFY(
            log.write(Status::failure(StatusCode::Unexpected, QStringLiteral("Overflow")).logLine(QStringLiteral("MDIFORM1.MV_ZoomOut")))
                .ok());
        QVERIFY(log.write(QStringLiteral("second")).ok());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\"20150131 14:05:09  Overflow MDIFORM1.MV_ZoomOut\"\r\n"
                                            "\"20150131 14:05:09  second\"\r\n"));
    }

    void anUnwritableLogSaysSo()
    {
        const ErrorLog log("/nonexistent-folder/TraceReader.log");
        const Status written = log.write(QStringLiteral("lost"));
        QCOMPARE(written.code(), StatusCode::WriteFailed);
        QVERIFY(!written.message().isEmpty());
    }

    void theProgramLogLivesInTheProgramFolder()
    {
        QTemporaryDir dir;
        setAppPath(dir.path());
        QCOMPARE(AppPath(), dir.path() + u'/');
        WriteErrorLog(QStringLiteral("descriptionlabel"));
        logIfFailed(Status(), QStringLiteral("nothing"));
        logIfFailed(Status::failure(StatusCode::WriteFailed, QStringLiteral("X could not be written.")), QStringLiteral("SaveSetting"));
        setAppPath({});
        QFile file(dir.filePath("TraceReader.log"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines[0].endsWith("  descriptionlabel\"\r"));
        QVERIFY(lines[1].endsWith("  X could not be written. SaveSetting\"\r"));
    }

    void aFolderWithItsSeparatorGetsNoSecondOne()
    {
        setAppPath(QStringLiteral("/opt/qor/"));
        QCOMPARE(AppPath(), "/opt/qor/");
        setAppPath(QStringLiteral("C:\\QOR\\"));
        QCOMPARE(AppPath(), "C:\\QOR\\");
        setAppPath({});
    }
};

QTEST_GUILESS_MAIN(TestErrorLog)
#include "tst_errorlog.moc"
