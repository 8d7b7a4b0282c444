#include "app/csvcommand.h"
#include "shell/apppath.h"
#include "shell/graphsettings.h"
#include "shell/inifile.h"
#include "shell/programstate.h"
#include "support/fixtures.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

struct Outcome {
    int status = 0;
    QString err;
};

Outcome runExport(const QString& path, const QString& out)
{
    std::FILE* err = std::tmpfile();
    Outcome outcome;
    outcome.status = qor::runExport(path, out, err);
    std::rewind(err);
    QByteArray bytes(4096, '\0');
    bytes.resize(static_cast<qsizetype>(std::fread(bytes.data(), 1, static_cast<std::size_t>(bytes.size()), err)));
    std::fclose(err);
    outcome.err = QString::fromLocal8Bit(bytes);
    return outcome;
}

const QByteArray Header = fixtures::logHeader("QOR1400", "CH1");

} // namespace

class TestCsvCommand : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;

    void useLanguage(const QString& code)
    {
        qor::resetProgramState();
        qor::setAppPath(m_dir.path());
        QVERIFY(qor::IniFile(qor::graphSettingsPath()).write(u"Language", u"Language", code).ok());
    }

    QString recording() const
    {
        return fixtures::writeFile(m_dir, "20150301000000_QOR1400.LOG",
                                   Header + fixtures::logRecord(0, {1, 0.5, -2}) + fixtures::logRecord(46800, {4, 5, 6}));
    }

  private Q_SLOTS:
    void initTestCase() { fixtures::installSideFiles(m_dir); }

    void writesTheExportInTheLanguageOfTheSettings()
    {
        useLanguage(QStringLiteral("CHR"));
        const QString out = m_dir.filePath("chinese.csv");
        const Outcome outcome = runExport(recording(), out);
        QCOMPARE(outcome.status, 0);
        QCOMPARE(outcome.err, "");
        const QString expected = QStringLiteral("[QOR1400]                               \r\n"
                                                "CH1                                     \r\n"
                                                "TIME,PV,SP,MV\r\n"
                                                "2015-03-01,1,0.5,-2\r\n"
                                                "2015-03-01 下午 1:00:00,4,5,6\r\n");
        QCOMPARE(fixtures::contents(out), expected.toUtf8());
    }

    void refusalsAndFailuresCreateNoFile_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("reason");
        QTest::newRow("CSV recording") << "20150301000000_QOR1300.CSV"
                                       << "out.csv"
                                       << "Only LOG and DAT files can be exported.";
        QTest::newRow("missing recording") << "20150301000000_gone.LOG"
                                           << "out.csv"
                                           << "Cannot read";
        QTest::newRow("unwritable output") << ""
                                           << "no/such/folder/out.csv"
                                           << "Cannot write";
    }

    void refusalsAndFailuresCreateNoFile()
    {
        QFETCH(QString, input);
        QFETCH(QString, output);
        QFETCH(QString, reason);
        useLanguage(QStringLiteral("ENG"));
        if (input.endsWith(u".CSV"))
            fixtures::writeFile(m_dir, input, "; QOR1300\r\n; X\r\n2015-03-01 08:00:00,1,2,3,4,5,6,7,8,9\r\n");
        const QString path = input.isEmpty() ? recording() : m_dir.filePath(input);
        const Outcome outcome = runExport(path, m_dir.filePath(output));
        QCOMPARE(outcome.status, 1);
        QVERIFY2(outcome.err.contains(reason), qPrintable(outcome.err));
        QVERIFY(!QFileInfo::exists(m_dir.filePath(output)));
    }

    // The program routes the command and exits with its status.
    void theProgramRunsTheCommand()
    {
        const QString out = m_dir.filePath("by-program.csv");
        QProcess program;
        program.start(QStringLiteral(TRACE_READER), {QStringLiteral("--export"), recording(), out});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 0);
        const QByteArray start = Header.left(40) + "\r\n" + Header.mid(40) + "\r\nTIME,PV,SP,MV\r\n2015-03-01,1,0.5,-2\r\n";
        QVERIFY(fixtures::contents(out).startsWith(start));
        program.start(QStringLiteral(TRACE_READER), {QStringLiteral("--export"), m_dir.filePath("gone.LOG"), out + u'2'});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 1);
        QVERIFY(!QFileInfo::exists(out + u'2'));
    }
};

QTEST_GUILESS_MAIN(TestCsvCommand)
#include "tst_csvcommand.moc"
