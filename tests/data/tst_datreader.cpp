#include "data/datetime.h"
#include "data/datreader.h"
#include "data/recordedfile.h"
#include "support/fixtures.h"
#include "support/recordingbusy.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace qor;

namespace {

struct Block {
    qint16 pv = 0, spSelected = 0, spDefault = 0, mv = 0;
    char selector = 1;
};

void put16(QByteArray& bytes, qsizetype at, qint16 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

// A .DAT header starting 2014-01-05 08:12:00 (the packed bytes of the recorder) with the given
// model, interval and channel scales.
QByteArray datHeader(const QByteArray& model, qint16 interval, qint16 full1 = 13700, qint16 zero1 = -2000, qint16 decimals1 = 1)
{
    QByteArray bytes(512, '\0');
    bytes.replace(0, model.size(), model);
    bytes[64] = '\x25';
    bytes[65] = '\x1c';
    bytes[68] = '\x00';
    bytes[69] = '\x83';
    bytes[70] = '\x00';
    put16(bytes, 72, interval);
    put16(bytes, 128, full1);
    put16(bytes, 130, zero1);
    put16(bytes, 132, decimals1);
    put16(bytes, 160, 1000);
    put16(bytes, 162, 0);
    put16(bytes, 164, 1);
    return bytes;
}

QByteArray datRecord(const Block& ch1, const Block& ch2 = {})
{
    QByteArray bytes(32, '\0');
    for (const auto& [block, at] : {std::pair{ch1, 0}, std::pair{ch2, 16}}) {
        put16(bytes, at, block.pv);
        put16(bytes, at + 2, block.spSelected);
        put16(bytes, at + 4, block.spDefault);
        put16(bytes, at + 6, block.mv);
        bytes[at + 12] = block.selector;
    }
    return bytes;
}

QStringList texts(const SlotData& slot, qsizetype record)
{
    QStringList out;
    for (const ColumnPtr& c : slot.TraceData.values)
        out << c->text(record);
    return out;
}

} // namespace

class TestDatReader : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;
    int m_files = 0;

    ReadResult read(const QByteArray& bytes, SlotData& slot, RecordingBusy& busy)
    {
        return FuncReadDatFile(busy, fixtures::writeFile(m_dir, QStringLiteral("f%1.DAT").arg(++m_files), bytes), slot);
    }

  private Q_SLOTS:
    void twoChannelRecordsAreScaled()
    {
        const QByteArray bytes = datHeader("QOR510", 2) + datRecord({15000, 100, 200, 15000, 1}, {-1, 5, 6, -300, 0}) +
                                 datRecord({30000, 0, 30000, 30000, 0}, {0, 0, 0, 0, 7});
        SlotData slot;
        slot.setModel(QStringLiteral("set by the open command"));
        RecordingBusy busy;
        const ReadResult result = read(bytes, slot, busy);
        QVERIFY(result.ok());
        QCOMPARE(slot.ModelName(), "QOR510");
        QCOMPARE(slot.traits().name, u"QOR510");
        QCOMPARE(slot.RecordCount, 2);
        QCOMPARE(datetime::isoText(*slot.FirstTime), "2014-01-05 08:12:00");
        QCOMPARE(datetime::isoText(*slot.LastTime), "2014-01-05 08:12:02");
        QCOMPARE(texts(slot, 0), QStringList({"585.0", "-194.8", "50.0", "-0.0", "0.0", "-1.0", "", "", ""}));
        QCOMPARE(texts(slot, 1), QStringList({"1370.0", "1370.0", "100.0", "0.0", "0.0", "0.0", "", "", ""}));
        QCOMPARE(slot.TraceData.column(ColumnId::PV1)->number(0), 585.0);
        QCOMPARE(plotCallsOf(recordedfile::readPlan(models::FileKind::Dat, slot)),
                 "yaxis 4 3|yaxis 5 3|plot 1|plot 2|plot 3|plot 4|plot 5|plot 6");
    }

    void oneChannelFilesIgnoreTheSecondBlock()
    {
        SlotData slot;
        RecordingBusy busy;
        QVERIFY(read(datHeader("QOR500", 0) + datRecord({1, 2, 3, 4}, {9, 9, 9, 9}) + datRecord({5, 6, 7, 8}), slot, busy).ok());
        QCOMPARE(slot.RecordCount, 2);
        QVERIFY(!slot.TraceData.column(ColumnId::PV2)->isFilled());
        // An interval of 0 gives every record the start time.
        QCOMPARE(*slot.FirstTime, *slot.LastTime);
        QCOMPARE(plotCallsOf(recordedfile::readPlan(models::FileKind::Dat, slot)), "yaxis 4 2|yaxis 5 2|plot 1|plot 2|plot 3");
    }

    void scalingWithoutDecimalsKeepsThePoint()
    {
        SlotData slot;
        RecordingBusy busy;
        QVERIFY(read(datHeader("QOR500", 1, 1000, 0, 0) + datRecord({3690, 0, 3690, 0, 0}), slot, busy).ok());
        QCOMPARE(texts(slot, 0).mid(0, 3), QStringList({"123.", "123.", "0.0"}));
    }

    void fragmentsCountWhenTheyHoldWhatTheModelReads_data()
    {
        QTest::addColumn<QByteArray>("model");
        QTest::addColumn<int>("fragment");
        QTest::addColumn<int>("records");
        QTest::newRow("QOR500, 13 bytes") << QByteArray("QOR500") << 13 << 2;
        QTest::newRow("QOR500, 12 bytes") << QByteArray("QOR500") << 12 << 1;
        QTest::newRow("QOR510, 29 bytes") << QByteArray("QOR510") << 29 << 2;
        QTest::newRow("QOR510, 28 bytes") << QByteArray("QOR510") << 28 << 1;
    }
    void fragmentsCountWhenTheyHoldWhatTheModelReads()
    {
        QFETCH(QByteArray, model);
        QFETCH(int, fragment);
        QFETCH(int, records);
        SlotData slot;
        RecordingBusy busy;
        const ReadResult result =
            read(datHeader(model, 10) + datRecord({1, 2, 3, 4}) + datRecord({5, 6, 7, 8}, {5, 6, 7, 8}).left(fragment), slot, busy);
        QVERIFY(result.ok());
        QCOMPARE(slot.RecordCount, records);
        QCOMPARE(result.warnings.size(), records == 2 ? 0 : 1);
        if (records == 2)
            QCOMPARE(slot.TraceData.column(ColumnId::PV1)->text(1), "-199.7");
    }

    void filesWithoutRecordsFail()
    {
        SlotData slot;
        RecordingBusy busy;
        QVERIFY(!read(datHeader("QOR510", 1), slot, busy).ok());
        QVERIFY(!read(datHeader("QOR510", 1).left(100), slot, busy).ok());
        QVERIFY(!read(QByteArray(), slot, busy).ok());
        QCOMPARE(slot.RecordCount, 0);
        QVERIFY(!busy.busyShown);
    }

    void decimalsBeyondTheRangeOfNumbersFail()
    {
        SlotData slot;
        RecordingBusy busy;
        const ReadResult result = read(datHeader("QOR500", 1, 100, 0, 400) + datRecord({1, 2, 3, 4}), slot, busy);
        QVERIFY(!result.ok());
        QVERIFY(result.logLines().first().endsWith(u"modFunc_Ran.FuncReadFile"));
        // Seven or more decimals keep six.
        QVERIFY(read(datHeader("QOR500", 1, 30000, 0, 8) + datRecord({12345, 0, 0, 0}), slot, busy).ok());
        QCOMPARE(slot.TraceData.column(ColumnId::PV1)->text(0), "0.000123");
    }

    // Records are read many at a time: those after the first read, and a fragment ending the
    // last one, hold the values of their own bytes.
    void recordsBeyondTheFirstReadAreDecoded()
    {
        const int records = (1 << 17) + 3;
        QByteArray bytes = datHeader("QOR500", 1);
        for (int r = 0; r < records - 1; ++r)
            bytes += datRecord({static_cast<qint16>(r % 1000), 0, 0, 0});
        bytes += datRecord({999, 0, 0, 0}).left(13);
        SlotData slot;
        RecordingBusy busy;
        QVERIFY(read(bytes, slot, busy).ok());
        QCOMPARE(slot.RecordCount, records);
        QCOMPARE(datetime::wholeSecondsBetween(*slot.FirstTime, *slot.LastTime), records - 1);
        const ColumnPtr pv = slot.TraceData.column(ColumnId::PV1);
        QVERIFY(pv->text(999) != pv->text(0));
        for (int r : {1000, (1 << 17) - 1, 1 << 17, (1 << 17) + 1})
            QCOMPARE(pv->text(r), pv->text(r % 1000));
        QCOMPARE(pv->text(records - 1), pv->text(999));
    }

    // A sparse file whose size stands for more records than a count can hold is refused before
    // anything is allocated for it, as the other readers refuse it.
    void sizesBeyondTheRecordCountAreRefused()
    {
        const QString path = fixtures::writeFile(m_dir, "huge.DAT", datHeader("QOR510", 1));
        QFile file(path);
        QVERIFY(file.resize(512 + 32LL * 0x80000000LL));
        SlotData slot;
        RecordingBusy busy;
        const ReadResult result = FuncReadDatFile(busy, path, slot);
        QCOMPARE(result.status.code(), StatusCode::TooLarge);
        QCOMPARE(result.status.message(), "The file holds more records than can be shown.");
        QCOMPARE(slot.RecordCount, 0);
        file.remove();
    }

    void generatedRecordingsRead()
    {
        for (const char* model : {"QOR500", "QOR510"}) {
            samplegen::Recording recording;
            recording.model = model;
            recording.kind = samplegen::FileKind::Dat;
            recording.records = 2000;
            recording.intervalSeconds = 3;
            SlotData slot;
            RecordingBusy busy;
            QVERIFY(FuncReadDatFile(busy, fixtures::generated(m_dir, recording), slot).ok());
            QCOMPARE(slot.ModelName(), QString::fromLatin1(model));
            QCOMPARE(slot.RecordCount, 2000);
            QCOMPARE(datetime::isoText(*slot.FirstTime), "2015-03-01 08:00:00");
            QCOMPARE(datetime::wholeSecondsBetween(*slot.FirstTime, *slot.LastTime), 1999 * 3);
        }
    }

    void aCancelledReadStopsAtThatReport()
    {
        const QByteArray bytes = datHeader("QOR510", 1) + QByteArray(((1 << 18) + 5) * 32, '\0'); // three reads
        QList<double> reports;
        expectCancelAtEveryReport([&](RecordingBusy& busy, SlotData& slot) { return read(bytes, slot, busy); }, reports);
    }
};

QTEST_GUILESS_MAIN(TestDatReader)
#include "tst_datreader.moc"
