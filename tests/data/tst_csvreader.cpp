#include "data/csvreader.h"
#include "data/datetime.h"
#include "data/recordedfile.h"
#include "support/fixtures.h"
#include "support/recordingbusy.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <charconv>
#include <cmath>
#include <set>

using namespace qor;

namespace {

QString iso(double serial)
{
    return datetime::isoText(serial);
}

// Every value of every record as the slot shows it: its text and its number.
QStringList shownValues(const SlotData& slot)
{
    QStringList out;
    for (const ColumnPtr& column : slot.TraceData.values) {
        for (qsizetype r = 0; r < column->size(); ++r)
            out << column->text(r) + u'=' + QString::number(column->number(r), 'g', 17);
    }
    return out;
}

} // namespace

class TestCsvReader : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;
    int m_files = 0;

    QString write(const QByteArray& bytes)
    {
        return fixtures::writeFile(m_dir, QStringLiteral("20150301080000_%1.CSV").arg(++m_files), bytes);
    }

    // Reads a CSV file as the open command does: header first, then records.
    ReadResult read(const QString& path, SlotData& slot, RecordingBusy& busy)
    {
        if (!recordedfile::readHeaderInto(models::FileKind::Csv, path, slot).ok())
            qFatal("header of %s not read", qPrintable(path));
        return FuncReadCsvFile(busy, path, slot);
    }

  private Q_SLOTS:
    void everyModelIsReadAndDrawn_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("option");
        QTest::addColumn<int>("filled");
        QTest::addColumn<QString>("plotCalls");
        QTest::newRow("QOR1000") << "QOR1000"
                                 << "" << 3 << "yaxis 4 2|yaxis 5 2|plot 1|plot 2|plot 3";
        QTest::newRow("QOR1100") << "QOR1100"
                                 << "CH2" << 3 << "yaxis 4 2|yaxis 5 2|plot 1|plot 2|plot 3";
        QTest::newRow("QOR1200") << "QOR1200"
                                 << "" << 6 << "yaxis 4 2|yaxis 5 2|plot 1|plot 2|plot 3|plot 4|plot 5|plot 6";
        QTest::newRow("QOR1300") << "QOR1300"
                                 << "" << 9 << "yaxis 4 3|yaxis 5 3|plot 1|plot 2|plot 3|plot 4|plot 5|plot 6|plot 7|plot 8|plot 9";
        QTest::newRow("QOR1400 all") << "QOR1400"
                                     << "" << 9 << "yaxis 4 3|yaxis 5 3|plot 1|plot 2|plot 3|plot 4|plot 5|plot 6|plot 7|plot 8|plot 9";
        QTest::newRow("QOR1400 one") << "QOR1400"
                                     << "CH1" << 3 << "yaxis 4 2|yaxis 5 2|plot 1|plot 2|plot 3";
    }
    void everyModelIsReadAndDrawn()
    {
        QFETCH(QString, model);
        QFETCH(QString, option);
        QFETCH(int, filled);
        QFETCH(QString, plotCalls);
        samplegen::Recording recording;
        recording.model = model.toStdString();
        recording.option = option.toStdString();
        recording.kind = samplegen::FileKind::Csv;
        recording.records = 300;
        recording.commentLines = true;
        SlotData slot;
        RecordingBusy busy;
        const ReadResult result = read(fixtures::generated(m_dir, recording), slot, busy);
        QVERIFY(result.ok());
        QCOMPARE(slot.RecordCount, 300);
        QCOMPARE(iso(*slot.FirstTime), "2015-03-01 08:00:00");
        QCOMPARE(iso(*slot.LastTime), "2015-03-01 08:04:59");
        for (int k = 1; k <= ColumnCount; ++k)
            QCOMPARE(slot.TraceData.column(static_cast<ColumnId>(k))->isFilled(), k <= filled);
        QCOMPARE(plotCallsOf(recordedfile::readPlan(models::FileKind::Csv, slot)), plotCalls);
        QCOMPARE(busy.calls, QStringList({"busy 35", "idle"}));
    }

    // Models that no CSV model line is recognised for can still be read when the slot names them.
    void modelsOnlyTheReaderKnows_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("filled");
        QTest::addColumn<QString>("plotCalls");
        QTest::newRow("QOR1000-Z7") << "QOR1000-Z7"
                                    << "1 2 3 6"
                                    << "yaxis 4 2|yaxis 5 2|plot 1|plot 2|plot 3|plot 4";
        QTest::newRow("QOR520 draws none") << "QOR520"
                                           << "1 2 3 4 5 6"
                                           << "yaxis 4 2|yaxis 5 2";
        QTest::newRow("QOR500 draws none") << "QOR500"
                                           << "1 2 3"
                                           << "yaxis 4 2|yaxis 5 2";
        QTest::newRow("QOR510 draws none") << "QOR510"
                                           << "1 2 3"
                                           << "yaxis 4 2|yaxis 5 2";
    }
    void modelsOnlyTheReaderKnows()
    {
        QFETCH(QString, model);
        QFETCH(QString, filled);
        QFETCH(QString, plotCalls);
        SlotData slot;
        slot.setModel(model);
        RecordingBusy busy;
        QVERIFY(FuncReadCsvFile(busy, write("; X\r\n; \r\n2015-03-01 08:00:00,1,2,3,4,5,6,7,8,9\r\n"), slot).ok());
        QStringList filledColumns;
        for (int k = 1; k <= ColumnCount; ++k) {
            if (slot.TraceData.column(static_cast<ColumnId>(k))->isFilled())
                filledColumns << QString::number(k);
        }
        QCOMPARE(filledColumns.join(u' '), filled);
        QCOMPARE(plotCallsOf(recordedfile::readPlan(models::FileKind::Csv, slot)), plotCalls);
        if (model == u"QOR1000-Z7")
            QCOMPARE(slot.TraceData.column(ColumnId::MV2)->text(0), "4");
    }

    void fieldsKeepTheirExactText()
    {
        const QString path = write("; QOR1300\r\n; \r\n2015-03-01 08:00:00, 12.50,-.5,1E3,4,5,6,7,8,9,extra\r\n");
        SlotData slot;
        RecordingBusy busy;
        QVERIFY(read(path, slot, busy).ok());
        const ColumnPtr pv = slot.TraceData.column(ColumnId::PV1);
        QCOMPARE(pv->text(0), " 12.50");
        QCOMPARE(pv->number(0), 12.5);
        QCOMPARE(slot.TraceData.column(ColumnId::SP1)->text(0), "-.5");
        QCOMPARE(slot.TraceData.column(ColumnId::MV1)->number(0), 1000.0);
        QCOMPARE(slot.TraceData.column(ColumnId::MV3)->text(0), "9");
    }

    void commentsBlanksAndBadLinesAreNoRecords()
    {
        const QString path = write("; QOR1100\r\n; CH1\r\n"
                                   "; comment\r\n\r\n   \r\n"
                                   "2015-03-01 08:00:00,1,2,3\r\n"
                                   "2015-03-01 08:00:0,4,5,6\r\n"  // 18-character time
                                   "2015-02-30 08:00:00,4,5,6\r\n" // no such day
                                   "2015-03-01T08:00:01,4,5,6\r\n" // separators out of place
                                   "2015-03-01 08.00:01,4,5,6\r\n"
                                   "2015-03-0x 08:00:01,4,5,6\r\n" // a letter for a digit
                                   "  2015-03-01 08:00:05  ,7,8,9\r\n"
                                   "; between\r\n"
                                   "end of data\r\n");
        SlotData slot;
        RecordingBusy busy;
        QVERIFY(read(path, slot, busy).ok());
        QCOMPARE(slot.ModelOption, "CH1");
        QCOMPARE(slot.RecordCount, 2);
        QCOMPARE(iso(*slot.LastTime), "2015-03-01 08:00:05");
        QCOMPARE(slot.TraceData.column(ColumnId::PV1)->text(1), "7");
    }

    // Plain decimals, read without from_chars, give exactly the number from_chars gives, halfway
    // cases between two doubles included; other forms (too many digits, exponents, blanks) still
    // have their numbers.
    void numbersAreCorrectlyRounded()
    {
        QByteArray text = "; QOR1000\r\n; \r\n";
        std::vector<QByteArray> fields = {
            "0.1", "-0.0", "5.", ".5", "-.5", "000.50", "123456789012345", "1234567890123456", "0.000000000000001", "9007199254740993",
            "1E3", " 7 "};
        // 19 digits and more; the first two fall closer to halfway between two doubles than 64 bits tell.
        fields.insert(fields.end(), {"2865049748.687600851", "11791415.02217504289", "9999999999999999999", "99999999999999999999"});
        QRandomGenerator random(11);
        while (fields.size() < 30000) {
            QByteArray digits = QByteArray::number(random.generate64()).left(1 + random.bounded(20));
            digits.insert(random.bounded(static_cast<int>(digits.size()) + 1), '.');
            fields.push_back(random.bounded(2) ? "-" + digits : digits);
        }
        for (std::size_t f = 0; f < fields.size(); f += 3)
            text += "2015-03-01 08:00:00," + fields[f] + ',' + fields[f + 1] + ',' + fields[f + 2] + "\r\n";
        SlotData slot;
        RecordingBusy busy;
        QVERIFY(read(write(text), slot, busy).ok());
        for (std::size_t f = 0; f < fields.size(); ++f) {
            const QByteArray field = fields[f].trimmed();
            double expected = 0;
            std::from_chars(field.constData(), field.constData() + field.size(), expected);
            const double number = slot.TraceData.column(static_cast<ColumnId>(f % 3 + 1))->number(static_cast<qsizetype>(f / 3));
            QVERIFY2(number == expected && std::signbit(number) == std::signbit(expected), fields[f].constData());
        }
    }

    void shortLinesGiveEmptyFieldsAndReadingGoesOn()
    {
        const QString path = write("; QOR1200\r\n; \r\n"
                                   "2015-03-01 08:00:00,1,2,3,4,5,6\r\n"
                                   "2015-03-01 08:00:01,1,2\r\n"
                                   "2015-03-01 08:00:02\r\n"
                                   "2015-03-01 08:00:03,,,,,,6\r\n");
        SlotData slot;
        RecordingBusy busy;
        QVERIFY(read(path, slot, busy).ok());
        QCOMPARE(slot.RecordCount, 4);
        const ColumnPtr mv2 = slot.TraceData.column(ColumnId::MV2);
        QCOMPARE(slot.TraceData.column(ColumnId::SP1)->text(1), "2");
        QCOMPARE(slot.TraceData.column(ColumnId::MV1)->text(1), "");
        QVERIFY(std::isnan(slot.TraceData.column(ColumnId::MV1)->number(1)));
        QCOMPARE(slot.TraceData.column(ColumnId::PV1)->text(2), "");
        QCOMPARE(mv2->text(3), "6");
        QVERIFY(std::isnan(slot.TraceData.column(ColumnId::PV2)->number(3)));
    }

    void everyLineEndIsAccepted_data()
    {
        QTest::addColumn<QByteArray>("end");
        QTest::newRow("CR LF") << QByteArray("\r\n");
        QTest::newRow("LF") << QByteArray("\n");
        QTest::newRow("CR") << QByteArray("\r");
    }
    void everyLineEndIsAccepted()
    {
        QFETCH(QByteArray, end);
        const QByteArray text = "; QOR1000" + end + "; A" + end + "2015-03-01 08:00:00,1,2,3" + end + end + "2015-03-01 08:00:01,4,5,6";
        SlotData slot;
        RecordingBusy busy;
        QVERIFY(read(write(text), slot, busy).ok());
        QCOMPARE(slot.ModelOption, "A");
        QCOMPARE(slot.RecordCount, 2);
        QCOMPARE(slot.TraceData.column(ColumnId::MV1)->text(0), "3");
        QCOMPARE(slot.TraceData.column(ColumnId::MV1)->text(1), "6");
    }

    void timesAreTakenAsWrittenInFileOrder()
    {
        const QString path = write("; QOR1000\n; \n2015-03-01 08:00:00,1,2,3\n2015-02-01 00:00:00,1,2,3\n2015/03/01 09:30:00,1,2,3\n");
        SlotData slot;
        RecordingBusy busy;
        QVERIFY(read(path, slot, busy).ok());
        QCOMPARE(iso(slot.TraceData.TimeValue->at(1)), "2015-02-01 00:00:00");
        QCOMPARE(iso(*slot.FirstTime), "2015-03-01 08:00:00");
        QCOMPARE(iso(*slot.LastTime), "2015-03-01 09:30:00");
    }

    void readsWithoutRecordsFail()
    {
        SlotData slot;
        RecordingBusy busy;
        QVERIFY(read(write("; QOR1300\r\n; \r\n2015-03-01 08:00:00,1,2,3,4,5,6,7,8,9\r\n"), slot, busy).ok());
        const ReadResult empty = read(write("; QOR1300\r\n; \r\n; only comments\r\n\r\n"), slot, busy);
        QVERIFY(!empty.ok());
        QCOMPARE(slot.RecordCount, 0);
        QVERIFY(!slot.LastTime);
        QVERIFY(empty.logLines().first().endsWith(u"modFunc_Ran.FuncReadCsvFile"));
        QVERIFY(!busy.busyShown);

        SlotData unknown;
        unknown.setModel(QStringLiteral("QOR720"));
        QVERIFY(!FuncReadCsvFile(busy, write("; QOR720\r\n; \r\n2015-03-01 08:00:00,1,2,3\r\n"), unknown).ok());
        QVERIFY(!FuncReadCsvFile(busy, m_dir.filePath("missing.CSV"), unknown).ok());
    }

    // Files large enough to be read by two threads, with comment lines long enough to move the
    // text index: every text cut from the file matches the line it came from.
    void largeFilesAreSplitAndTextsFoundAgain()
    {
        QByteArray text = "; QOR1300\r\n; \r\n";
        QStringList expectedPv3;
        const double start = datetime::addSeconds(datetime::dateSerial(2015, 3, 1), 0);
        QRandomGenerator random(7);
        const int records = 330000;
        for (int r = 0; r < records; ++r) {
            if (random.bounded(5000) == 0)
                text += "; " + QByteArray(70000 + random.bounded(1000), 'x') + "\r\n";
            const QByteArray pv3 = QByteArray::number(random.bounded(100000) / 100.0);
            expectedPv3 << QString::fromLatin1(pv3);
            text += datetime::isoText(datetime::addSeconds(start, r)).toLatin1() + ",1,2,3,4,5,6," + pv3 + ",8,9\r\n";
        }
        QVERIFY(text.size() > 16 << 20);
        SlotData slot;
        RecordingBusy busy;
        QVERIFY(read(write(text), slot, busy).ok());
        QCOMPARE(slot.RecordCount, records);
        const ColumnPtr pv3 = slot.TraceData.column(ColumnId::PV3);
        for (int r = 0; r < records; r += 1 + r % 97) {
            QCOMPARE(pv3->text(r), expectedPv3[r]);
            QCOMPARE(pv3->number(r), expectedPv3[r].toDouble());
            QCOMPARE(datetime::wholeSecondsBetween(start, slot.TraceData.TimeValue->at(static_cast<std::size_t>(r))), r);
        }
        QCOMPARE(pv3->text(records - 1), expectedPv3.last());
        QVERIFY(!busy.progress.isEmpty());
    }

    // Once read, what is shown lives in the program's own memory: the file may be truncated,
    // rewritten or deleted on disk without changing a value or ending the program.
    void whatWasReadOutlivesTheFile_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("truncated") << "truncated";
        QTest::newRow("rewritten") << "rewritten";
        QTest::newRow("deleted") << "deleted";
    }
    void whatWasReadOutlivesTheFile()
    {
        QFETCH(QString, change);
        samplegen::Recording recording;
        recording.kind = samplegen::FileKind::Csv;
        recording.records = 5000;
        recording.commentLines = true;
        const QString path = fixtures::generated(m_dir, recording);
        SlotData slot;
        RecordingBusy busy;
        QVERIFY(read(path, slot, busy).ok());
        const QStringList before = shownValues(slot);
        QCOMPARE(before.size(), 9 * 5000);

        QFile file(path);
        if (change == u"truncated")
            QVERIFY(file.resize(file.size() / 3));
        else if (change == u"rewritten")
            fixtures::setContents(path, fixtures::contents(path).replace('5', '6'));
        else
            QVERIFY(file.remove());
        QCOMPARE(shownValues(slot), before);
    }

    // The filling pass writes no further than the records each part was counted with, and fails
    // when the bytes hold other records than counted or the table is sized for another count.
    void parsingWritesNoFurtherThanCounted_data()
    {
        QTest::addColumn<int>("counted");
        QTest::addColumn<int>("tableSize");
        QTest::addColumn<int>("filled");
        QTest::newRow("as counted") << 3 << 3 << 3;
        QTest::newRow("more records than counted") << 2 << 2 << 2;
        QTest::newRow("fewer records than counted") << 4 << 4 << 3;
        QTest::newRow("table smaller than the count") << 3 << 2 << 0;
    }
    void parsingWritesNoFurtherThanCounted()
    {
        QFETCH(int, counted);
        QFETCH(int, tableSize);
        QFETCH(int, filled);
        CsvCount count = *FuncCountCsvRecords(write("; QOR1000\r\n; \r\n2015-03-01 08:00:00,0,1,2\r\n2015-03-01 08:00:01,3,4,5\r\n"
                                                    "2015-03-01 08:00:02,6,7,8\r\n"));
        QCOMPARE(count.RecordCount, 3);
        count.parts.back().records += counted - 3;
        count.RecordCount = tableSize;
        CsvTable table = FuncAllocTraceData(count, models::csvPlan(models::traitsOf(u"QOR1000"), false));
        QCOMPARE(FuncParseCsvFile(count, table).ok(), counted == 3 && tableSize == 3);
        QCOMPARE(table.times.size(), static_cast<std::size_t>(tableSize));
        for (int r = 0; r < filled; ++r) {
            const auto at = static_cast<std::size_t>(r);
            QCOMPARE(iso(table.times[at]), QStringLiteral("2015-03-01 08:00:0%1").arg(r));
            QCOMPARE(table.numbers[2][at], 3.0 * r + 2);
        }
    }

    // Recognising a file reads only its beginning: a first line of up to 64 KiB, its line end and
    // 40 characters of the second line, whatever follows. A longer first line leaves no second line.
    void headerRecognitionReadsOnlyTheBeginning_data()
    {
        QTest::addColumn<int>("firstLineLength");
        QTest::addColumn<QByteArray>("end");
        QTest::addColumn<QString>("option");
        const QString fullOption = "CH2" + QString(35, u'X'); // the 40 characters of the line, after "; "
        QTest::newRow("short, CR LF") << 9 << QByteArray("\r\n") << fullOption;
        QTest::newRow("short, LF") << 9 << QByteArray("\n") << fullOption;
        QTest::newRow("short, CR") << 9 << QByteArray("\r") << fullOption;
        QTest::newRow("longest, CR LF") << 65536 << QByteArray("\r\n") << fullOption;
        QTest::newRow("longest, CR") << 65536 << QByteArray("\r") << fullOption;
        QTest::newRow("longer") << 65537 << QByteArray("\r\n") << "";
        QTest::newRow("far beyond the beginning") << 300000 << QByteArray("\n") << "";
    }
    void headerRecognitionReadsOnlyTheBeginning()
    {
        QFETCH(int, firstLineLength);
        QFETCH(QByteArray, end);
        QFETCH(QString, option);
        QByteArray garbage(200000, '\0');
        QRandomGenerator random(3);
        for (char& c : garbage)
            c = static_cast<char>(random.bounded(256));
        const QByteArray text =
            QByteArray("; QOR1100").leftJustified(firstLineLength, ' ') + end + "; ch2" + QByteArray(60, 'x') + end + garbage;
        SlotData slot;
        QVERIFY(recordedfile::readHeaderInto(models::FileKind::Csv, write(text), slot).ok());
        QCOMPARE(slot.ModelName(), "QOR1100");
        QCOMPARE(slot.ModelOption, option);
    }

    void countingAloneFindsTheStart()
    {
        const Result<CsvCount> counted =
            FuncCountCsvRecords(write("; QOR1000\r\n; \r\nx\r\n2015-03-01 08:00:00,1\r\n;\r\n2015-03-01 09:00:00,1\r\n"));
        QVERIFY(counted.ok());
        const CsvCount& count = *counted;
        QCOMPARE(count.RecordCount, 2);
        QCOMPARE(iso(count.StartDate), "2015-03-01 08:00:00");
    }

    // The user may cancel while the file is read, counted or parsed.
    void aCancelledReadStopsAtThatReport()
    {
        samplegen::Recording recording;
        recording.kind = samplegen::FileKind::Csv;
        recording.records = 140000;
        const QString path = fixtures::generated(m_dir, recording);
        QList<double> reports;
        expectCancelAtEveryReport([&](RecordingBusy& busy, SlotData& slot) { return read(path, slot, busy); }, reports);
        std::set<int> phases;
        for (double reached : reports)
            phases.insert(reached <= 0.25 ? 0 : reached <= CsvCountedProgress ? 1 : 2);
        QCOMPARE(phases.size(), std::size_t{3});
    }
};

QTEST_GUILESS_MAIN(TestCsvReader)
#include "tst_csvreader.moc"
