#include "samplegen.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>
#include <stdexcept>

using samplegen::FileKind;
using samplegen::Recording;

Q_DECLARE_METATYPE(FileKind)

namespace {

constexpr int LogHeaderSize = 80;
constexpr int DatHeaderSize = 512;
constexpr int DatRecordSize = 32;

template <typename Number> Number numberAt(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<Number>(bytes.constData() + offset);
}

double logValue(const QByteArray& bytes, const Recording& recording, qsizetype record, int column)
{
    const int recordSize = 4 + 8 * samplegen::valuesPerRecord(recording);
    return numberAt<double>(bytes, LogHeaderSize + record * recordSize + 4 + 8 * column);
}

// DAT engineering value of the raw int16 at `offset` on the channel's scale.
double datValue(const QByteArray& bytes, qsizetype offset, int channel)
{
    const qsizetype scale = 128 + 32 * channel;
    const double full = numberAt<qint16>(bytes, scale);
    const double zero = numberAt<qint16>(bytes, scale + 2);
    const double divisor = std::pow(10.0, numberAt<qint16>(bytes, scale + 4));
    return (zero + (full - zero) / 30000 * numberAt<qint16>(bytes, offset)) / divisor;
}

QList<QByteArray> csvLines(const QByteArray& bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast(); // after the final line end
    return lines;
}

QList<QByteArray> csvDataLines(const QByteArray& bytes)
{
    QList<QByteArray> lines = csvLines(bytes);
    lines.removeIf([](const QByteArray& line) { return line.startsWith(';') || line == "\r"; });
    return lines;
}

} // namespace

class TestSampleGen : public QObject {
    Q_OBJECT

  private:
    QByteArray writeAndRead(const Recording& recording)
    {
        QFile file(QString::fromStdString(samplegen::writeInto(recording, m_dir.path().toStdString()).string()));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_dir;

  private Q_SLOTS:
    void fileNameStartsWithStartTime_data();
    void fileNameStartsWithStartTime();
    void valuesPerRecordMatchesWrittenLayout_data();
    void valuesPerRecordMatchesWrittenLayout();
    void logHeaderAndRecordLayout();
    void csvLineFormat();
    void csvTimeStampsCarryAcrossCalendar_data();
    void csvTimeStampsCarryAcrossCalendar();
    void csvCommentLines();
    void csvAgreesWithLog_data();
    void csvAgreesWithLog();
    void datHeaderLayout();
    void datRecordsAgreeWithCsv();
    void datSecondChannelOnlyForQor510();
    void sameSeedSameBytes_data();
    void sameSeedSameBytes();
    void processFollowsProgramme_data();
    void processFollowsProgramme();
    void heatCoolOutputsNeverOverlap();
    void sampleSetFilesAreSmall();
    void badSettingsThrowAndLeaveNoFile();
};

void TestSampleGen::fileNameStartsWithStartTime_data()
{
    QTest::addColumn<Recording>("recording");
    QTest::addColumn<QString>("expected");
    QTest::newRow("log") << Recording{} << QString("20150301080000_QOR1300.LOG");
    QTest::newRow("csv")
        << Recording{.model = "QOR1100", .kind = FileKind::Csv, .year = 2016, .month = 12, .day = 31, .hour = 23, .minute = 59, .second = 9}
        << QString("20161231235909_QOR1100.CSV");
    QTest::newRow("dat") << Recording{.model = "QOR500", .kind = FileKind::Dat, .year = 2014, .month = 1, .day = 5, .minute = 12}
                         << QString("20140105081200_QOR500.DAT");
}

void TestSampleGen::fileNameStartsWithStartTime()
{
    QFETCH(Recording, recording);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(samplegen::fileName(recording)), expected);
    recording.records = 3;
    QCOMPARE(QString::fromStdString(samplegen::writeInto(recording, m_dir.path().toStdString()).filename().string()), expected);
}

void TestSampleGen::valuesPerRecordMatchesWrittenLayout_data()
{
    QTest::addColumn<FileKind>("kind");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("option");
    QTest::addColumn<int>("values");
    const auto row = [](FileKind kind, const char* model, const char* option, int values) {
        QTest::addRow("%d %s '%s'", static_cast<int>(kind), model, option) << kind << model << option << values;
    };
    row(FileKind::Log, "QOR1000", "", 6);
    row(FileKind::Log, "QOR1100", "CH1", 3);
    row(FileKind::Log, "QOR1000-Z7", "", 4);
    row(FileKind::Log, "QOR1200", "X", 6);
    row(FileKind::Log, "QOR520", "", 6);
    row(FileKind::Log, "QOR1300", "X", 9);
    row(FileKind::Log, "QOR1400", "", 9);
    row(FileKind::Log, "QOR1400", "CH1", 3);
    row(FileKind::Log, "QOR1400-Z11", "", 3);
    row(FileKind::Csv, "QOR1000", "", 3);
    row(FileKind::Csv, "QOR1100", "CH1", 3);
    row(FileKind::Csv, "QOR1000-Z7", "", 4);
    row(FileKind::Csv, "QOR1200", "", 6);
    row(FileKind::Csv, "QOR1300", "", 9);
    row(FileKind::Csv, "QOR1400-Z12", "", 9);
    row(FileKind::Csv, "QOR1400", "CH2", 3);
    row(FileKind::Csv, "QOR510", "", 3);
}

void TestSampleGen::valuesPerRecordMatchesWrittenLayout()
{
    QFETCH(FileKind, kind);
    QFETCH(QString, model);
    QFETCH(QString, option);
    QFETCH(int, values);
    const Recording recording{.model = model.toStdString(), .option = option.toStdString(), .kind = kind, .records = 4};
    QCOMPARE(samplegen::valuesPerRecord(recording), values);

    const QByteArray bytes = writeAndRead(recording);
    if (kind == FileKind::Log)
        QCOMPARE(bytes.size(), LogHeaderSize + 4 * (4 + 8 * values));
    else
        QCOMPARE(csvDataLines(bytes).first().count(','), values);
}

void TestSampleGen::logHeaderAndRecordLayout()
{
    const Recording recording{.model = "QOR1400", .option = "CH1", .records = 5, .intervalSeconds = 2};
    const QByteArray bytes = writeAndRead(recording);
    QCOMPARE(bytes.size(), LogHeaderSize + 5 * (4 + 3 * 8));
    QCOMPARE(bytes.first(40), QByteArray("[QOR1400]").leftJustified(40, ' '));
    QCOMPARE(bytes.mid(40, 40), QByteArray("CH1").leftJustified(40, ' '));
    for (int record = 0; record < 5; ++record)
        QCOMPARE(numberAt<qint32>(bytes, LogHeaderSize + record * 28), 2 * record);
    const double pv = logValue(bytes, recording, 0, 0);
    const double sp = logValue(bytes, recording, 0, 1);
    const double mv = logValue(bytes, recording, 0, 2);
    QVERIFY2(std::abs(pv - sp) < 5 && mv > 0 && mv < 100, "the recording starts settled at its set point");
}

void TestSampleGen::csvLineFormat()
{
    const QByteArray bytes = writeAndRead({.model = "QOR1200", .kind = FileKind::Csv, .records = 50});
    QVERIFY(bytes.endsWith("\r\n"));
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));

    const QList<QByteArray> lines = csvLines(bytes);
    QCOMPARE(lines.size(), 2 + 50);
    QCOMPARE(lines[0], "; QOR1200\r");
    QCOMPARE(lines[1], "; \r");
    const QRegularExpression data(R"(^2015-03-01 08:00:\d\d(,-?\d+\.\d){6}\r$)");
    for (const QByteArray& line : lines.mid(2))
        QVERIFY2(data.match(QString::fromLatin1(line)).hasMatch(), line.constData());
    QVERIFY(lines[3].startsWith("2015-03-01 08:00:01,"));
}

void TestSampleGen::csvTimeStampsCarryAcrossCalendar_data()
{
    QTest::addColumn<Recording>("recording");
    QTest::addColumn<QByteArray>("third");
    const auto csv = [](int interval, int year, int month, int day, int hour, int minute, int second) {
        return Recording{.model = "QOR1100",
                         .kind = FileKind::Csv,
                         .records = 3,
                         .intervalSeconds = interval,
                         .year = year,
                         .month = month,
                         .day = day,
                         .hour = hour,
                         .minute = minute,
                         .second = second};
    };
    QTest::newRow("leap day") << csv(3600, 2016, 2, 28, 22, 30, 0) << QByteArray("2016-02-29 00:30:00");
    QTest::newRow("no leap day") << csv(3600, 2015, 2, 28, 22, 30, 0) << QByteArray("2015-03-01 00:30:00");
    QTest::newRow("new year") << csv(1, 2015, 12, 31, 23, 59, 58) << QByteArray("2016-01-01 00:00:00");
    QTest::newRow("day and minutes") << csv(86400 + 90, 2015, 1, 31, 8, 0, 0) << QByteArray("2015-02-02 08:03:00");
}

void TestSampleGen::csvTimeStampsCarryAcrossCalendar()
{
    QFETCH(Recording, recording);
    QFETCH(QByteArray, third);
    QCOMPARE(csvDataLines(writeAndRead(recording)).at(2).left(19), third);
}

void TestSampleGen::csvCommentLines()
{
    Recording recording{.model = "QOR1300", .kind = FileKind::Csv, .records = 2000, .intervalSeconds = 5};
    QCOMPARE(csvLines(writeAndRead(recording)).size(), 2 + 2000);

    recording.commentLines = true;
    const QByteArray bytes = writeAndRead(recording);
    const QList<QByteArray> lines = csvLines(bytes);
    QCOMPARE(csvDataLines(bytes).size(), 2000);
    QCOMPARE(lines[2], "; Start 2015-03-01 08:00:00\r");
    QCOMPARE(lines[3], "; Interval 5 s\r");
    const auto body = lines.mid(4);
    QVERIFY(std::ranges::count_if(body, [](const QByteArray& line) { return line.startsWith(';'); }) >= 3);
    QVERIFY(body.contains("\r"));
}

void TestSampleGen::csvAgreesWithLog_data()
{
    QTest::addColumn<bool>("fullPrecision");
    QTest::newRow("tenths") << false;
    QTest::newRow("full precision") << true;
}

// Both kinds hold the same numbers: tenths, or full precision, where most values have more digits.
void TestSampleGen::csvAgreesWithLog()
{
    QFETCH(bool, fullPrecision);
    Recording recording{.model = "QOR1300", .records = 300, .intervalSeconds = 7, .seed = 5, .fullPrecision = fullPrecision};
    const QByteArray log = writeAndRead(recording);
    recording.kind = FileKind::Csv;
    const QList<QByteArray> lines = csvDataLines(writeAndRead(recording));
    QCOMPARE(lines.size(), 300);
    int tenths = 0;
    for (int record = 0; record < 300; ++record) {
        const QList<QByteArray> fields = lines[record].trimmed().split(',');
        for (int column = 0; column < 9; ++column) {
            const double value = logValue(log, recording, record, column);
            QCOMPARE(fields[column + 1].toDouble(), value);
            tenths += std::round(value * 10) / 10 == value;
        }
    }
    QCOMPARE(tenths == 300 * 9, !fullPrecision);
    if (fullPrecision)
        QVERIFY(tenths < 300 * 9 / 2);
}

void TestSampleGen::datHeaderLayout()
{
    const QByteArray bytes = writeAndRead(
        {.model = "QOR510", .kind = FileKind::Dat, .records = 7, .intervalSeconds = 30, .year = 2014, .month = 1, .day = 5, .minute = 12});
    QCOMPARE(bytes.size(), DatHeaderSize + 7 * DatRecordSize);
    QCOMPARE(bytes.first(6), "QOR510");
    QCOMPARE(bytes.mid(64, 2), QByteArray("\x25\x1C"));
    QCOMPARE(bytes.mid(68, 3), QByteArray("\x00\x83\x00", 3));
    QCOMPARE(numberAt<qint16>(bytes, 72), 30);
    QCOMPARE(numberAt<qint16>(bytes, 128), 13700);
    QCOMPARE(numberAt<qint16>(bytes, 130), -2000);
    QCOMPARE(numberAt<qint16>(bytes, 132), 1);
    QCOMPARE(numberAt<qint16>(bytes, 160), 1000);
    QCOMPARE(numberAt<qint16>(bytes, 162), 0);
    QCOMPARE(numberAt<qint16>(bytes, 164), 1);

    QByteArray unused = bytes.first(DatHeaderSize);
    for (const auto& [offset, size] : {std::pair{0, 6}, {64, 2}, {68, 3}, {72, 2}, {128, 6}, {160, 6}})
        unused.replace(offset, size, QByteArray(size, '\0'));
    QCOMPARE(unused, QByteArray(DatHeaderSize, '\0'));
}

void TestSampleGen::datRecordsAgreeWithCsv()
{
    Recording recording{.model = "QOR510", .kind = FileKind::Dat, .records = 600, .intervalSeconds = 30};
    const QByteArray dat = writeAndRead(recording);
    recording.kind = FileKind::Csv;
    const QList<QByteArray> lines = csvDataLines(writeAndRead(recording));

    std::set<char> selectors;
    for (int record = 0; record < 600; ++record) {
        const qsizetype block = DatHeaderSize + record * DatRecordSize;
        const QList<QByteArray> csv = lines[record].trimmed().split(',');
        const char selector = dat[block + 12];
        selectors.insert(selector);
        QVERIFY(std::abs(datValue(dat, block, 0) - csv[1].toDouble()) < 0.03);
        QVERIFY(std::abs(datValue(dat, block + (selector ? 2 : 4), 0) - csv[2].toDouble()) < 0.03);
        QVERIFY(std::abs(numberAt<qint16>(dat, block + 6) / 300.0 - csv[3].toDouble()) < 0.002);
        const double humidity = datValue(dat, block + 16, 1);
        QVERIFY(humidity > 20 && humidity < 100);
    }
    QCOMPARE(selectors, (std::set<char>{0, 1}));
}

void TestSampleGen::datSecondChannelOnlyForQor510()
{
    const QByteArray bytes = writeAndRead({.model = "QOR500", .kind = FileKind::Dat, .records = 20});
    for (int record = 0; record < 20; ++record) {
        const qsizetype block = DatHeaderSize + record * DatRecordSize;
        QVERIFY(bytes.mid(block, 16) != QByteArray(16, '\0'));
        QCOMPARE(bytes.mid(block + 16, 16), QByteArray(16, '\0'));
    }
}

void TestSampleGen::sameSeedSameBytes_data()
{
    QTest::addColumn<FileKind>("kind");
    QTest::newRow("log") << FileKind::Log;
    QTest::newRow("csv") << FileKind::Csv;
    QTest::newRow("dat") << FileKind::Dat;
}

void TestSampleGen::sameSeedSameBytes()
{
    QFETCH(FileKind, kind);
    Recording recording{.model = "QOR510", .kind = kind, .records = 500, .seed = 7, .commentLines = true};
    const QByteArray first = writeAndRead(recording);
    QCOMPARE(writeAndRead(recording), first);
    recording.seed = 8;
    QVERIFY(writeAndRead(recording) != first);
}

void TestSampleGen::processFollowsProgramme_data()
{
    QTest::addColumn<int>("interval");
    QTest::newRow("1 s") << 1;
    QTest::newRow("10 s") << 10;
    QTest::newRow("1 h") << 3600;
}

// Over whole programmes every zone's set point climbs to a soak and comes
// back, its output stays within 0..100 %, and by the end of each soak its PV
// has settled on the set point.
void TestSampleGen::processFollowsProgramme()
{
    QFETCH(int, interval);
    const Recording recording{.model = "QOR1300", .records = 3000, .intervalSeconds = interval, .seed = 3};
    const QByteArray bytes = writeAndRead(recording);
    for (int zone = 0; zone < 3; ++zone) {
        const auto value = [&](int record, int column) { return logValue(bytes, recording, record, 3 * zone + column); };
        double lowest = 1e9, highest = -1e9;
        for (int record = 0; record < 3000; ++record) {
            QVERIFY(value(record, 2) >= 0 && value(record, 2) <= 100);
            lowest = std::min(lowest, value(record, 1));
            highest = std::max(highest, value(record, 1));
        }
        QVERIFY2(lowest < 100 && highest >= 100 && highest <= 300, "set point runs from idle to a soak");

        int soaks = 0;
        for (int record = 0; record + 1 < 3000; ++record) {
            if (value(record, 1) == highest && value(record + 1, 1) < highest) {
                ++soaks;
                QVERIFY2(std::abs(value(record, 0) - highest) < 5, "PV settles on the soak set point");
            }
        }
        QVERIFY(soaks > 0);
    }
}

void TestSampleGen::heatCoolOutputsNeverOverlap()
{
    const Recording recording{.model = "QOR1000-Z7", .records = 2000, .intervalSeconds = 10};
    const QByteArray bytes = writeAndRead(recording);
    double mostCooling = 0;
    for (int record = 0; record < 2000; ++record) {
        const double heat = logValue(bytes, recording, record, 2);
        const double cool = logValue(bytes, recording, record, 3);
        QVERIFY(heat >= 0 && cool >= 0 && heat <= 100 && cool <= 100);
        QVERIFY(heat == 0 || cool == 0);
        mostCooling = std::max(mostCooling, cool);
    }
    QVERIFY2(mostCooling > 10, "the cool-down uses the cooling output");
}

void TestSampleGen::sampleSetFilesAreSmall()
{
    QTemporaryDir dir;
    std::set<std::string> names;
    std::set<FileKind> kinds;
    for (const Recording& recording : samplegen::sampleSet()) {
        const auto file = samplegen::writeInto(recording, dir.path().toStdString());
        names.insert(file.filename().string());
        kinds.insert(recording.kind);
        QVERIFY2(std::filesystem::file_size(file) < 200'000, file.string().c_str());
        QVERIFY(recording.records >= 300);
    }
    QCOMPARE(names.size(), samplegen::sampleSet().size());
    QCOMPARE(kinds.size(), 3U);
}

void TestSampleGen::badSettingsThrowAndLeaveNoFile()
{
    const std::filesystem::path folder = m_dir.path().toStdString();
    const Recording longDatModel{.model = "QOR1300", .kind = FileKind::Dat};
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, samplegen::writeInto(longDatModel, folder));
    QVERIFY(!std::filesystem::exists(folder / samplegen::fileName(longDatModel)));

    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, samplegen::fileName({.month = 2, .day = 29}));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, samplegen::writeInto({}, folder / "missing"));
}

QTEST_APPLESS_MAIN(TestSampleGen)

#include "tst_samplegen.moc"
