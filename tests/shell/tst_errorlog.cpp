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
        QVERIFY(log.write("Overflow" + QStringLiteral("MDIFORM1.MV_ZoomOut")));
        QVERIFY(log.write(QStringLiteral("second")));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\"20150131 14:05:09  OverflowMDIFORM1.MV_ZoomOut\"\r\n"
                                            "\"20150131 14:05:09  second\"\r\n"));
    }

    void anUnwritableLogLosesTheLineSilently()
    {
        const ErrorLog log("/nonexistent-folder/TraceReader.log");
        QVERIFY(!log.write(QStringLiteral("lost")));
    }

    void theProgramLogLivesInTheProgramFolder()
    {
        QTemporaryDir dir;
        setAppPath(dir.path());
        QCOMPARE(AppPath(), dir.path() + u'/');
        QCOMPARE(WriteErrorLog(QStringLiteral("descriptionlabel")), 0);
        setAppPath({});
        QFile file(dir.filePath("TraceReader.log"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().endsWith("  descriptionlabel\"\r\n"));
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
