#include "data/datetime.h"
#include "data/logreader.h"
#include "data/recordedfile.h"
#include "support/fixtures.h"
#include "support/recordingbusy.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qor;
using fixtures::logHeader;
using fixtures::logRecord;

namespace {

const double Start = datetime::addSeconds(datetime::dateSerial(2015, 3, 1), 8 * 3600);

// Reads a .LOG file as the open command does: header first, then records.
ReadResult readLog(const QString& path, SlotData& slot, RecordingBusy& busy)
{
    if (!recordedfile::readHeaderInto(models::FileKind::Log, path, slot).ok())
        qFatal("header of %s not read", qPrintable(path));
    return FuncReadFile(busy, path, slot);
}

QStringList filledColumns(const SlotData& slot)
{
    QStringList out;
    for (int k = 1; k <= ColumnCount; ++k) {
        if (slot.TraceData.column(static_cast<ColumnId>(k))->isFilled())
            out << QString::number(k);
    }
    return out;
}

} // namespace

class TestLogReader : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;

  private Q_SLOTS:
    void everyModelIsReadAndDrawn_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("option");
        QTest::addColumn<QString>("filled");
        QTest::addColumn<QString>("plotCalls");
        QTest::newRow("QOR1000 two channels") << "QOR1000"
                                              << ""
                                              << "1 2 3 4 5 6"
                                              << "yaxis 4 3|yaxis 5 3|plot 1|plot 2|plot 3|plot 4|plot 5|plot 6";
        QTest::newRow("QOR1100 one channel") << "QOR1100"
                                             << "CH1"
                                             << "1 2 3"
                                             << "yaxis 4 2|yaxis 5 2|plot 1|plot 2|plot 3";
        QTest::newRow("QOR1000-Z7") << "QOR1000-Z7"
                                    << ""
                                    << "1 2 3 6"
                                    << "yaxis 4 2|yaxis 5 2|plot 1|plot 2|plot 3|plot 4";
        QTest::newRow("QOR1200") << "QOR1200"
                                 << ""
                                 << "1 2 3 4 5 6"
                                 << "yaxis 4 2|yaxis 5 2|plot 1|plot 2|plot 3|plot 4|plot 5|plot 6";
        QTest::newRow("QOR520") << "QOR520"
                                << ""
                                << "1 2 3 4 5 6"
                                << "yaxis 4 2|yaxis 5 2|plot 1|plot 2|plot 3";
        QTest::newRow("QOR1300") << "QOR1300"
                                 << ""
                                 << "1 2 3 4 5 6 7 8 9"
                                 << "yaxis 4 3|yaxis 5 3|plot 1|plot 2|plot 3|plot 4|plot 5|plot 6|plot 7|plot 8|plot 9";
        QTest::newRow("QOR1400 all") << "QOR1400"
                                     << ""
                                     << "1 2 3 4 5 6 7 8 9"
                                     << "yaxis 4 3|yaxis 5 3|plot 1|plot 2|plot 3|plot 4|plot 5|plot 6|plot 7|plot 8|plot 9";
        QTest::newRow("QOR1400 one") << "QOR1400"
                                     << "CH1"
                                     << "1 2 3"
                                     << "yaxis 4 2|yaxis 5 2|plot 1|plot 2|plot 3";
        QTest::newRow("QOR1400-Z12") << "QOR1400-Z12"
                                     << ""
                                     << "1 2 3"
                                     << "yaxis 4 2|yaxis 5 2|plot 1|plot 2|plot 3";
    }
    void everyModelIsReadAndDrawn()
    {
        QFETCH(QString, model);
        QFETCH(QString, option);
        QFETCH(QString, filled);
        QFETCH(QString, plotCalls);
        samplegen::Recording recording;
        recording.model = model.toStdString();
        recording.option = option.toStdString();
        recording.records = 240;
        recording.intervalSeconds = 5;
        const QString path = fixtures::generated(m_dir, recording);
        SlotData slot;
        RecordingBusy busy;
        const ReadResult result = readLog(path, slot, busy);
        QVERIFY(result.ok());
        QVERIFY(result.warnings.isEmpty());
        QCOMPARE(slot.ModelName(), model);
        QCOMPARE(slot.ModelOption, option);
        QCOMPARE(slot.RecordCount, 240);
        QCOMPARE(filledColumns(slot).join(u' '), filled);
        QCOMPARE(*slot.FirstTime, Start);
        QCOMPARE(*slot.LastTime, datetime::addSeconds(Start, 239 * 5));
        QCOMPARE(plotCallsOf(recordedfile::readPlan(models::FileKind::Log, slot)), plotCalls);
        QCOMPARE(busy.calls, QStringList({"busy 36", "idle"}));
    }

    void valuesKeepTheirTextAndNumber()
    {
        const QByteArray bytes = logHeader("QOR1000", "CH1") + logRecord(0, {12.5, 0.25, -0.25}) + logRecord(-60, {100, 1e20, 1.5e-5}) +
                                 logRecord(3600, {0, std::nan(""), 7});
        const QString path = fixtures::writeFile(m_dir, QStringLiteral("20150301080000.LOG"), bytes);
        SlotData slot;
        RecordingBusy busy;
        QVERIFY(readLog(path, slot, busy).ok());
        const ColumnPtr pv = slot.TraceData.column(ColumnId::PV1);
        const ColumnPtr sp = slot.TraceData.column(ColumnId::SP1);
        const ColumnPtr mv = slot.TraceData.column(ColumnId::MV1);
        QCOMPARE(QStringList({pv->text(0), sp->text(0), mv->text(0)}), QStringList({"12.5", ".25", "-.25"}));
        QCOMPARE(QStringList({pv->text(1), sp->text(1), mv->text(1)}), QStringList({"100", "1E+20", "1.5E-05"}));
        QCOMPARE(sp->number(1), 1e20);
        QVERIFY(std::isnan(sp->number(2)));
        // Records stay in file order; a negative offset lies before the start.
        QCOMPARE(datetime::isoText(slot.TraceData.TimeValue->at(1)), "2015-03-01 07:59:00");
        QCOMPARE(*slot.FirstTime, Start);
        QCOMPARE(datetime::isoText(*slot.LastTime), "2015-03-01 09:00:00");
    }

    void shortFilesKeepEveryWholeRecord()
    {
        QByteArray bytes = logHeader("QOR1100", "A");
        for (int i = 0; i < 5; ++i)
            bytes += logRecord(i, {1, 2, 3});
        QCOMPARE(bytes.size(), 220);
        SlotData slot;
        RecordingBusy busy;
        const ReadResult result = readLog(fixtures::writeFile(m_dir, "20150301080000_short.LOG", bytes), slot, busy);
        QVERIFY(result.ok());
        QCOMPARE(slot.RecordCount, 5);
    }

    void aTrailingFragmentIsPassedOverWithAWarning_data()
    {
        QTest::addColumn<int>("fragment");
        QTest::newRow("one byte") << 1;
        QTest::newRow("two bytes") << 2;
        QTest::newRow("all but one byte") << 27;
    }
    void aTrailingFragmentIsPassedOverWithAWarning()
    {
        QFETCH(int, fragment);
        const QByteArray bytes =
            logHeader("QOR1100", "X") + logRecord(0, {1, 2, 3}) + logRecord(1, {4, 5, 6}) + QByteArray(fragment, '\x7f');
        SlotData slot;
        RecordingBusy busy;
        const ReadResult result = readLog(fixtures::writeFile(m_dir, "20150301080000_frag.LOG", bytes), slot, busy);
        QVERIFY(result.ok());
        QCOMPARE(slot.RecordCount, 2);
        QCOMPARE(slot.TraceData.column(ColumnId::MV1)->text(1), "6");
        QCOMPARE(result.warnings.size(), 1);
        QVERIFY(result.logLines().first().endsWith(u"modFunc_Ran.FuncReadFile"));
    }

    void theRecordSizeFollowsTheOption()
    {
        // Six-value records when the option is empty: the same bytes read as two records of six
        // values, or four of three when an option is present.
        const QByteArray records = logRecord(0, {1, 2, 3, 4, 5, 6}) + logRecord(10, {7, 8, 9, 10, 11, 12});
        SlotData all, one;
        RecordingBusy busy;
        QVERIFY(readLog(fixtures::writeFile(m_dir, "20150301080000_all.LOG", logHeader("QOR1000") + records), all, busy).ok());
        QCOMPARE(all.RecordCount, 2);
        QCOMPARE(all.TraceData.column(ColumnId::MV2)->text(1), "12");
        const ReadResult result =
            readLog(fixtures::writeFile(m_dir, "20150301080000_one.LOG", logHeader("QOR1000", "A") + records), one, busy);
        QVERIFY(result.ok());
        QCOMPARE(one.RecordCount, 3); // 104 bytes: three records of 28 and a fragment of 20
        QCOMPARE(result.warnings.size(), 1);
    }

    void aFileWithoutRecordsFailsAndLeavesTheSlotEmpty()
    {
        SlotData slot;
        RecordingBusy busy;
        QVERIFY(
            readLog(fixtures::writeFile(m_dir, "20150301080000_a.LOG", logHeader("QOR1300") + logRecord(0, {1, 2, 3, 4, 5, 6, 7, 8, 9})),
                    slot, busy)
                .ok());
        const ReadResult result =
            readLog(fixtures::writeFile(m_dir, "20150301080000_b.LOG", logHeader("QOR1300") + QByteArray(10, '\0')), slot, busy);
        QVERIFY(!result.ok());
        QCOMPARE(slot.RecordCount, 0);
        QVERIFY(!slot.FirstTime);
        QVERIFY(!busy.busyShown);
        QVERIFY(result.logLines().last().endsWith(u"modFunc_Ran.FuncReadFile"));
    }

    void anotherFileReplacesEveryColumn()
    {
        SlotData slot;
        RecordingBusy busy;
        QVERIFY(
            readLog(fixtures::writeFile(m_dir, "20150301080000_9.LOG", logHeader("QOR1300") + logRecord(0, {1, 2, 3, 4, 5, 6, 7, 8, 9})),
                    slot, busy)
                .ok());
        const ColumnPtr earlierPv2 = slot.TraceData.column(ColumnId::PV2);
        QVERIFY(
            readLog(fixtures::writeFile(m_dir, "20150301080000_6.LOG", logHeader("QOR1200") + logRecord(0, {1, 2, 3, 4, 5, 6})), slot, busy)
                .ok());
        QVERIFY(!slot.TraceData.column(ColumnId::PV3)->isFilled());
        QCOMPARE(slot.TraceData.column(ColumnId::PV3)->text(0), "");
        // Whoever still shows the earlier file keeps its column intact.
        QCOMPARE(earlierPv2->text(0), "4");
    }

    void theStartTimeComesFromTheFileName()
    {
        QCOMPARE(datetime::isoText(recordingStartFromFileName("/data/20150301080000.LOG")), "2015-03-01 08:00:00");
        QCOMPARE(datetime::isoText(recordingStartFromFileName("C:\\DATA\\20160229235960.LOG")), "2016-03-01 00:00:00");
        QCOMPARE(datetime::isoText(recordingStartFromFileName("/a/20151301000000_x.LOG")), "2016-01-01 00:00:00");
        QCOMPARE(recordingStartFromFileName("/data/201503010800.LOG"), 0.0);
        QCOMPARE(recordingStartFromFileName("/2015/03/01/trend.LOG"), 0.0);
    }

    void headersThatCannotBeRead()
    {
        QCOMPARE(readLogHeader(fixtures::writeFile(m_dir, "h1.LOG", "[QOR1300]")).status().code(), StatusCode::Malformed);
        QCOMPARE(readLogHeader(fixtures::writeFile(m_dir, "h2.LOG", QByteArray(80, ' '))).status().code(), StatusCode::Malformed);
        QCOMPARE(readLogHeader(m_dir.filePath("missing.LOG")).status().code(), StatusCode::Unreadable);
        const Result<LogHeader> ok = readLogHeader(fixtures::writeFile(m_dir, "h3.LOG", logHeader("QOR1400", "  ")));
        QVERIFY(ok.ok());
        QCOMPARE(ok->ModelOption, "");
    }

    void progressIsReportedOnLongReads()
    {
        samplegen::Recording recording;
        recording.model = "QOR1300";
        recording.records = 500000;
        SlotData slot;
        RecordingBusy busy;
        QVERIFY(readLog(fixtures::generated(m_dir, recording), slot, busy).ok());
        QCOMPARE(slot.RecordCount, 500000);
        QVERIFY(!busy.progress.isEmpty());
        QCOMPARE(busy.progress.last(), 1.0);
        // The records read by the second thread continue the first thread's.
        const TimeColumn& times = *slot.TraceData.TimeValue;
        QCOMPARE(datetime::wholeSecondsBetween(times.front(), times.back()), 499999);
        for (std::size_t i = 1; i < times.size(); i += 997)
            QCOMPARE(datetime::wholeSecondsBetween(times[i - 1], times[i]), 1);
    }

    // A cancelled read logs nothing, not even the fragment it passed over.
    void aCancelledReadStopsAtThatReport()
    {
        samplegen::Recording recording;
        recording.records = 150000; // 11 MB: several buffers
        const QString path = fixtures::generated(m_dir, recording);
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append) && file.write("frag") == 4);
        file.close();
        QList<double> reports;
        expectCancelAtEveryReport([&](RecordingBusy& busy, SlotData& slot) { return readLog(path, slot, busy); }, reports);
    }
};

QTEST_GUILESS_MAIN(TestLogReader)
#include "tst_logreader.moc"
