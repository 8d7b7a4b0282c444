#include "app/dumpcommand.h"
#include "shell/apppath.h"
#include "support/fifo.h"
#include "support/fixtures.h"

#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

struct Output {
    int status = 0;
    QString out;
    QString err;
};

QString contents(std::FILE* file)
{
    std::rewind(file);
    QByteArray bytes;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, file))
        bytes.append(buffer, static_cast<qsizetype>(n));
    std::fclose(file);
    return QString::fromUtf8(bytes);
}

Output dump(const QString& path)
{
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Output result;
    result.status = qor::runDump(path, out, err);
    result.out = contents(out);
    result.err = contents(err);
    return result;
}

} // namespace

class TestDumpCommand : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;

  private Q_SLOTS:
    void initTestCase() { qor::setAppPath(m_dir.path()); }

    void printsTheHeaderAndEveryFilledColumn()
    {
        const QString path = fixtures::writeFile(m_dir, "20150301080000_Z7.LOG",
                                                 fixtures::logHeader("QOR1000-Z7") + fixtures::logRecord(0, {12.5, 0.25, 3, 4}) +
                                                     fixtures::logRecord(3661, {1, 2, 3, 44}));
        const Output result = dump(path);
        QCOMPARE(result.status, 0);
        QCOMPARE(result.err, "");
        QCOMPARE(result.out, "model: QOR1000-Z7\noption: \nrecords: 2\nfirst: 2015-03-01 08:00:00\nlast: 2015-03-01 09:01:01\n"
                             "2015-03-01 08:00:00\t12.5\t.25\t3\t4\n"
                             "2015-03-01 09:01:01\t1\t2\t3\t44\n");
    }

    void csvFilesNameTheirOption()
    {
        const QString path = fixtures::writeFile(m_dir, "a.csv", "; QOR1400\r\n; ch1\r\n2015-03-01 08:00:00, 1.50,2,3\r\n");
        const Output result = dump(path);
        QCOMPARE(result.status, 0);
        QVERIFY(result.out.startsWith(u"model: QOR1400\noption: CH1\nrecords: 1\n"));
        QVERIFY(result.out.endsWith(u"2015-03-01 08:00:00\t 1.50\t2\t3\n"));
    }

    void warningsGoToTheErrorStreamAndTheLog()
    {
        const QString path = fixtures::writeFile(m_dir, "20150301080000_frag.LOG",
                                                 fixtures::logHeader("QOR1100", "A") + fixtures::logRecord(0, {1, 2, 3}) + "xyz");
        const Output result = dump(path);
        QCOMPARE(result.status, 0);
        QVERIFY(result.err.startsWith(u"Warning: "));
        QFile log(m_dir.filePath("TraceReader.log"));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().contains("modFunc_Ran.FuncReadFile\""));
    }

    void unreadableFilesExitWithOne_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("unknown kind") << "x.TXT" << QByteArray("; QOR1300\r\n");
        QTest::newRow("no model line") << "b.CSV" << QByteArray("2015-03-01 08:00:00,1,2,3\r\n");
        QTest::newRow("unrecognised model") << "c.CSV" << QByteArray("; QOR720\r\n; \r\n2015-03-01 08:00:00,1,2,3\r\n");
        QTest::newRow("no records") << "d.CSV" << QByteArray("; QOR1300\r\n; \r\n");
        QTest::newRow("log without bracket") << "e.LOG" << QByteArray(100, 'x');
        QTest::newRow("empty dat") << "f.DAT" << QByteArray();
    }
    void unreadableFilesExitWithOne()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        const Output result = dump(fixtures::writeFile(m_dir, name, bytes));
        QCOMPARE(result.status, 1);
        QCOMPARE(result.out, "");
        QVERIFY(result.err.startsWith(u"Cannot read "));
        QCOMPARE(dump(m_dir.filePath("missing.LOG")).status, 1);
    }

    void aFifoIsRefusedWithoutWaitingForAWriter()
    {
        const QString fifo = fixtures::makeFifo(m_dir, QStringLiteral("x.LOG"));
        QVERIFY(!fifo.isEmpty());
        Output result;
        QVERIFY(fixtures::returnsWithoutAWriter(fifo, [&] { result = dump(fifo); }));
        QCOMPARE(result.status, 1);
        QCOMPARE(result.out, "");
        QVERIFY2(result.err.startsWith(u"Cannot read ") && result.err.contains(u"not a regular file"), qPrintable(result.err));
    }
};

QTEST_GUILESS_MAIN(TestDumpCommand)
#include "tst_dumpcommand.moc"
