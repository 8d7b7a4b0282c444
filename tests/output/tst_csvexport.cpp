#include "data/datetime.h"
#include "data/valuecolumn.h"
#include "output/csvexport.h"
#include "output/recordtimetext.h"
#include "support/fixtures.h"

#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <unistd.h>

using namespace qor;

namespace {

const datetime::AmPm English{QStringLiteral("AM"), QStringLiteral("PM")};

// Values whose export texts are known, used in turn by the records of a file.
struct KnownValue {
    double value;
    const char* text;
};
const KnownValue KnownValues[] = {
    {39.8, "39.8"},
    {0.25, "0.25"},
    {-0.25, "-0.25"},
    {-12.5, "-12.5"},
    {100, "100"},
    {123.456789012345, "123.456789012345"},
    {1.0 / 3, "0.333333333333333"},
    {1e20, "1E+20"},
    {-1.5e-7, "-1.5E-07"},
    {0, "0"},
    {2.0 / 3 * 1e5, "66666.6666666667"},
    {0.0001, "0.0001"},
};

// Record offsets (seconds from 2015-03-01 00:00:00) and the times an export shows for them.
struct KnownTime {
    qint32 seconds;
    const char* text;
};
const KnownTime KnownTimes[] = {
    {0, "2015-03-01"}, // midnight: the date alone
    {1, "2015-03-01 AM 12:00:01"},
    {43199, "2015-03-01 AM 11:59:59"},
    {43200, "2015-03-01 PM 12:00:00"},
    {86399, "2015-03-01 PM 11:59:59"},
    {86400, "2015-03-02"},
    {90061, "2015-03-02 AM 1:01:01"},
    {-1, "2015-02-28 PM 11:59:59"},
    {366 * 86400 + 36000, "2016-03-01 AM 10:00:00"},
};

// A .LOG file of `records` records of `values` values each, and the export the test expects of
// it, built from the known texts.
struct Recording {
    QByteArray bytes;
    QByteArray expectedRecords;
};

Recording recording(int records, int values)
{
    Recording r;
    int next = 0;
    for (int i = 0; i < records; ++i) {
        const KnownTime& time = KnownTimes[i % std::size(KnownTimes)];
        QByteArray record(4, '\0');
        qToLittleEndian(time.seconds, record.data());
        QByteArray line = time.text;
        for (int v = 0; v < values; ++v, ++next) {
            const KnownValue& known = KnownValues[next % std::size(KnownValues)];
            QByteArray value(8, '\0');
            qToLittleEndian(known.value, value.data());
            record += value;
            line += QByteArray(",") + known.text;
        }
        r.bytes += record;
        r.expectedRecords += line + "\r\n";
    }
    return r;
}

QByteArray exportOf(const QString& path, const QString& model, const QString& option, const datetime::AmPm& amPm = English)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    const Status status = output::writeFileExport(out, path, models::traitsOf(model), option, amPm);
    if (!status.ok())
        qWarning() << status.message();
    return out.data();
}

QByteArray headerLines(const QByteArray& header)
{
    return header.left(40) + "\r\n" + header.mid(40, 40) + "\r\n";
}

// A device that takes `room` bytes and then fails every write, as a full disk does.
class FullDevice final : public QIODevice {
  public:
    explicit FullDevice(qint64 room)
        : m_room(room)
    {
        open(QIODevice::WriteOnly);
    }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 size) override
    {
        if (size > m_room) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        m_room -= size;
        return size;
    }

  private:
    qint64 m_room;
};

} // namespace

class TestCsvExport : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;

    QString writeLog(const QString& name, const QByteArray& bytes) { return fixtures::writeFile(m_dir, name, bytes); }

  private Q_SLOTS:
    void everyModelHasItsHeadingAndValueCount_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("values");
        QTest::addColumn<QByteArray>("heading");
        const QByteArray one = "TIME,PV,SP,MV\r\n";
        const QByteArray two = "TIME,CH1_PV,CH1_SP,CH1_MV,CH2_PV,CH2_SP,CH2_MV\r\n";
        const QByteArray three = "TIME,CH1_PV,CH1_SP,CH1_MV,CH2_PV,CH2_SP,CH2_MV,CH3_PV,CH3_SP,CH3_MV\r\n";
        QTest::newRow("QOR1000 with option") << "QOR1000"
                                             << "CH1" << 3 << one;
        QTest::newRow("QOR1000 without option") << "QOR1000"
                                                << "" << 6 << two;
        QTest::newRow("QOR1100 with option") << "QOR1100"
                                             << "CH2" << 3 << one;
        QTest::newRow("QOR1100 without option") << "QOR1100"
                                                << "" << 6 << two;
        QTest::newRow("QOR1200") << "QOR1200"
                                 << "" << 6 << QByteArray("TIME,TPV,TSP,TMV,HPV,HSP,HMV\r\n");
        QTest::newRow("QOR1300") << "QOR1300"
                                 << "X" << 9 << QByteArray("TIME,Hi.PV,Hi.SP,Hi.MV,Exp.PV,Exp.SP,Exp.MV,Lo.PV,Lo.SP,Lo.MV\r\n");
        QTest::newRow("QOR1400 with option") << "QOR1400"
                                             << "CH3" << 3 << one;
        QTest::newRow("QOR1400 without option") << "QOR1400"
                                                << "" << 9 << three;
        // Models without a heading still export every record, with the values the reader reads.
        QTest::newRow("QOR1000-Z7") << "QOR1000-Z7"
                                    << "" << 4 << QByteArray();
        QTest::newRow("QOR1400-Z11") << "QOR1400-Z11"
                                     << "" << 3 << QByteArray();
        QTest::newRow("QOR1400-Z12") << "QOR1400-Z12"
                                     << "" << 3 << QByteArray();
        QTest::newRow("QOR520") << "QOR520"
                                << "" << 6 << QByteArray();
        QTest::newRow("unknown model") << "QOR999"
                                       << "" << 3 << QByteArray();
    }

    void everyModelHasItsHeadingAndValueCount()
    {
        QFETCH(QString, model);
        QFETCH(QString, option);
        QFETCH(int, values);
        QFETCH(QByteArray, heading);
        const QByteArray header = fixtures::logHeader(model.toLatin1(), option.toLatin1());
        const Recording r = recording(2 * static_cast<int>(std::size(KnownTimes)), values);
        const QString path = writeLog(QStringLiteral("20150301000000_%1.LOG").arg(QTest::currentDataTag()), header + r.bytes);
        QCOMPARE(exportOf(path, model, option), headerLines(header) + heading + r.expectedRecords);
    }

    // Every whole record after the header is written and a trailing fragment is passed over, so the
    // export holds exactly the records the graph and the table show.
    void shortFilesKeepEveryWholeRecord_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("fragment");
        QTest::newRow("header only") << 0 << 0;
        QTest::newRow("header and a fragment") << 0 << 30;
        QTest::newRow("one record") << 1 << 0;
        QTest::newRow("one record and a fragment") << 1 << 51;
        QTest::newRow("three records") << 3 << 0;
        QTest::newRow("three records and a fragment") << 3 << 1;
    }

    void shortFilesKeepEveryWholeRecord()
    {
        QFETCH(int, records);
        QFETCH(int, fragment);
        const QByteArray header = fixtures::logHeader("QOR1000");
        const Recording r = recording(records, 6);
        const QString path = writeLog(QStringLiteral("20150301000000_short_%1.LOG").arg(QTest::currentDataTag()),
                                      header + r.bytes + QByteArray(fragment, '\x7f'));
        QCOMPARE(exportOf(path, QStringLiteral("QOR1000"), {}),
                 headerLines(header) + "TIME,CH1_PV,CH1_SP,CH1_MV,CH2_PV,CH2_SP,CH2_MV\r\n" + r.expectedRecords);
    }

    // The header strings are written as the file holds them, whatever bytes they are.
    void headerStringsAreCopiedUnchanged()
    {
        QByteArray header(80, '\0');
        for (int i = 0; i < 80; ++i)
            header[i] = static_cast<char>(i * 7 + 1);
        header.replace(0, 9, "[QOR1300]");
        const QString path = writeLog(QStringLiteral("20150301000000_raw.LOG"), header + recording(1, 9).bytes);
        QVERIFY(exportOf(path, QStringLiteral("QOR1300"), {}).startsWith(headerLines(header)));
    }

    void timesStartAtTheFileNameOrAtDateZero()
    {
        const QByteArray bytes = fixtures::logHeader("QOR1400", "CH1") + fixtures::logRecord(5, {1, 2, 3});
        const QString dated = writeLog(QStringLiteral("20161231235959_QOR1400.LOG"), bytes);
        QVERIFY(exportOf(dated, QStringLiteral("QOR1400"), QStringLiteral("CH1")).endsWith("\r\n2017-01-01 AM 12:00:04,1,2,3\r\n"));
        const QString undated = writeLog(QStringLiteral("recording.LOG"), bytes);
        QVERIFY(exportOf(undated, QStringLiteral("QOR1400"), QStringLiteral("CH1")).endsWith("\r\n1899-12-30 AM 12:00:05,1,2,3\r\n"));
    }

    void timesUseTheDesignatorsOfTheLanguage()
    {
        const QByteArray bytes =
            fixtures::logHeader("QOR1400", "CH1") + fixtures::logRecord(1, {1, 2, 3}) + fixtures::logRecord(13 * 3600, {4, 5, 6});
        const QString path = writeLog(QStringLiteral("20150301000000_designators.LOG"), bytes);
        const QByteArray written = exportOf(path, QStringLiteral("QOR1400"), QStringLiteral("CH1"), datetime::amPmFor(u"KOR"));
        QVERIFY(written.endsWith(QStringLiteral("2015-03-01 오전 12:00:01,1,2,3\r\n2015-03-01 오후 1:00:00,4,5,6\r\n").toUtf8()));
    }

    // The quick writer of record times gives the general date-and-time text of every second of a day,
    // across years and before date zero.
    void recordTimesMatchTheGeneralText()
    {
        output::RecordTimeText writer(English);
        std::vector<char> buffer(writer.maxSize());
        const std::int64_t days[] = {-1, 0, 42064, 2958465};
        for (std::int64_t day : days) {
            for (std::int64_t second = 0; second < 86400; second += 7) {
                const std::int64_t at = day * 86400 + second;
                const char* end = writer.write(buffer.data(), at);
                QCOMPARE(QString::fromUtf8(buffer.data(), end - buffer.data()),
                         datetime::generalText(datetime::serialFromSeconds(at), English));
            }
        }
    }

    void unreadableRecordingsFail_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("shorter than its header") << fixtures::logHeader("QOR1000").left(79);
    }

    void unreadableRecordingsFail()
    {
        QFETCH(QByteArray, bytes);
        const QString path = writeLog(QStringLiteral("20150301000000_bad_%1.LOG").arg(QTest::currentDataTag()), bytes);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QCOMPARE(output::writeFileExport(out, path, models::traitsOf(u"QOR1000"), u"", English).code(), StatusCode::Malformed);
        QBuffer missing;
        missing.open(QIODevice::WriteOnly);
        QCOMPARE(output::writeFileExport(missing, m_dir.filePath("gone.LOG"), models::traitsOf(u"QOR1000"), u"", English).code(),
                 StatusCode::Unreadable);
    }

    // A write that fails anywhere, in the header or after many records, fails the export.
    void aFullDeviceFailsTheExport_data()
    {
        QTest::addColumn<qint64>("room");
        QTest::newRow("at the first header line") << qint64{10};
        QTest::newRow("at the first record") << qint64{200};
        QTest::newRow("after many records") << qint64{3'000'000};
    }

    void aFullDeviceFailsTheExport()
    {
        QFETCH(qint64, room);
        const QString path =
            writeLog(QStringLiteral("20150301000000_full.LOG"), fixtures::logHeader("QOR1300") + recording(200'000, 9).bytes);
        FullDevice out(room);
        const Status status = output::writeFileExport(out, path, models::traitsOf(u"QOR1300"), u"", English);
        QCOMPARE(status.code(), StatusCode::WriteFailed);
        QVERIFY(status.message().contains(u"No space left on device"));
    }

    // QOR500 and QOR510 export the texts the data set holds, whatever the file on disk holds now.
    void loadedRecordsOfTheMemoryModels_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("QOR500") << "QOR500"
                                << QByteArray("TIME,PV,SP,MV\r\n2016-07-04,12.5,.25,3.\r\n"
                                              "2016-07-04 AM 11:59:00,-1.0,0,4.\r\n");
        // A .DAT file names its model itself; one the table does not know is still no .LOG file.
        QTest::newRow("unknown DAT model") << "QOR999" << QByteArray("2016-07-04,12.5,.25,3.\r\n2016-07-04 AM 11:59:00,-1.0,0,4.\r\n");
        QTest::newRow("QOR510") << "QOR510"
                                << QByteArray("TIME,CH1_PV,CH1_SP,CH1_MV,CH2_PV,CH2_SP,CH2_MV\r\n2016-07-04,12.5,.25,3.,1,,7.5\r\n"
                                              "2016-07-04 AM 11:59:00,-1.0,0,4.,2,,-7.5\r\n");
    }

    void loadedRecordsOfTheMemoryModels()
    {
        QFETCH(QString, model);
        QFETCH(QByteArray, expected);
        SlotData slot;
        slot.setModel(model);
        slot.ModelOption = QStringLiteral("CH1");
        slot.FilePath = m_dir.filePath(QStringLiteral("20160704000000_gone.DAT"));
        slot.Kind = models::FileKind::Dat;
        slot.RecordCount = 2;
        const double day = datetime::dateSerial(2016, 7, 4);
        slot.TraceData.TimeValue = std::make_shared<const TimeColumn>(TimeColumn{day, datetime::addSeconds(day, 11 * 3600 + 59 * 60)});
        slot.TraceData.values = TraceColumns::blankValues(2);
        slot.TraceData.column(ColumnId::PV1) = std::make_shared<FixedPointColumn>(NumberArray{12.5, -1}, 1, true);
        slot.TraceData.column(ColumnId::SP1) = std::make_shared<DoubleColumn>(NumberArray{0.25, 0});
        slot.TraceData.column(ColumnId::MV1) = std::make_shared<FixedPointColumn>(NumberArray{3, 4}, 0, true);
        slot.TraceData.column(ColumnId::PV2) = std::make_shared<DoubleColumn>(NumberArray{1, 2});
        slot.TraceData.column(ColumnId::MV2) = std::make_shared<DoubleColumn>(NumberArray{7.5, -7.5});
        const QString out = m_dir.filePath(QStringLiteral("memory_%1.csv").arg(model));
        QVERIFY(output::FuncWriteExcelFile(slot, out, English).ok());
        QCOMPARE(fixtures::contents(out), expected);
    }

    // A failed export leaves a file of the chosen name as it was and no partial file beside it.
    void failuresLeaveTheFormerFileAsItWas()
    {
        QTemporaryDir outputs;
        const QString target = outputs.filePath(QStringLiteral("out.csv"));
        fixtures::setContents(target, "former\r\n");
        SlotData slot;
        slot.setModel(QStringLiteral("QOR1300"));
        slot.FilePath = m_dir.filePath(QStringLiteral("20150301000000_gone.LOG"));
        const Status gone = output::FuncWriteExcelFile(slot, target, English);
        QCOMPARE(gone.code(), StatusCode::Unreadable);
        QCOMPARE(fixtures::contents(target), "former\r\n");
        QCOMPARE(QDir(outputs.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("out.csv")});

        const QString underAFile = target + QStringLiteral("/inside.csv");
        slot.FilePath = writeLog(QStringLiteral("20150301000000_QOR1300.LOG"), fixtures::logHeader("QOR1300") + recording(2, 9).bytes);
        QCOMPARE(output::FuncWriteExcelFile(slot, underAFile, English).code(), StatusCode::WriteFailed);
        QCOMPARE(fixtures::contents(target), "former\r\n");
    }

    // An export whose progress report says stop fails with Cancelled at once and, as a failed one
    // does, leaves no file, or the former file as it was, and nothing partial beside it.
    void aCancelledExportLeavesTheFormerFile_data()
    {
        QTest::addColumn<bool>("fromMemory");
        QTest::newRow("log file, new name") << false;
        QTest::newRow("loaded records, over a file") << true;
    }
    void aCancelledExportLeavesTheFormerFile()
    {
        QFETCH(bool, fromMemory);
        constexpr int Records = 200000; // several progress reports either way
        SlotData slot;
        slot.setModel(QString::fromLatin1(fromMemory ? "QOR500" : "QOR1300")); // QOR500 exports what is loaded
        slot.FilePath =
            writeLog(QStringLiteral("20150301000000_cancelled.LOG"), fixtures::logHeader("QOR1300") + recording(Records, 9).bytes);
        slot.RecordCount = Records;
        slot.TraceData.TimeValue = std::make_shared<const TimeColumn>(TimeColumn(Records, 42000.5));
        slot.TraceData.values = TraceColumns::blankValues(Records);
        QTemporaryDir outputs;
        const QString target = outputs.filePath(QStringLiteral("out.csv"));
        if (fromMemory)
            fixtures::setContents(target, "former\r\n");
        const QStringList filesBefore = QDir(outputs.path()).entryList(QDir::Files | QDir::Hidden);
        int reports = 0;
        const Status status = output::FuncWriteExcelFile(slot, target, English, [&reports](double) { return ++reports < 2; });
        QCOMPARE(status.code(), StatusCode::Cancelled);
        QCOMPARE(reports, 2);
        QCOMPARE(QDir(outputs.path()).entryList(QDir::Files | QDir::Hidden), filesBefore);
        QCOMPARE(fixtures::contents(target), fromMemory ? "former\r\n" : "");
    }

    void aReadOnlyFolderIsReportedAndKeepsItsFile()
    {
        if (geteuid() == 0)
            QSKIP("the superuser writes into read-only folders");
        QTemporaryDir outputs;
        const QString target = outputs.filePath(QStringLiteral("out.csv"));
        fixtures::setContents(target, "former\r\n");
        QFile::setPermissions(outputs.path(), QFile::ReadOwner | QFile::ExeOwner);
        SlotData slot;
        slot.setModel(QStringLiteral("QOR1300"));
        slot.FilePath = writeLog(QStringLiteral("20150301000000_ro.LOG"), fixtures::logHeader("QOR1300") + recording(2, 9).bytes);
        const Status status = output::FuncWriteExcelFile(slot, target, English);
        QFile::setPermissions(outputs.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(status.code(), StatusCode::WriteFailed);
        QCOMPARE(fixtures::contents(target), "former\r\n");
    }

    void onlyLogAndDatRecordingsAreExported()
    {
        QVERIFY(output::isExportable(models::fileKindOf(QStringLiteral("/data/20150301_x.LOG"))));
        QVERIFY(output::isExportable(models::fileKindOf(QStringLiteral("C:\\DATA\\A.dat"))));
        QVERIFY(!output::isExportable(models::fileKindOf(QStringLiteral("/data/20150301_x.CSV"))));
        QVERIFY(!output::isExportable(models::fileKindOf(QStringLiteral("LOG"))));
        QVERIFY(!output::isExportable(models::fileKindOf({})));
    }
};

QTEST_GUILESS_MAIN(TestCsvExport)
#include "tst_csvexport.moc"
