#include "data/busynotice.h"
#include "data/combinedfiles.h"
#include "data/csvreader.h"
#include "data/datetime.h"
#include "data/recordedfile.h"
#include "support/fixtures.h"

#include <QTemporaryDir>
#include <QTest>

using namespace qor;

namespace {

QString iso(double serial)
{
    return datetime::isoText(serial);
}

QString iso(std::int64_t seconds)
{
    return iso(datetime::serialFromSeconds(seconds));
}

QStringList texts(const ColumnPtr& column)
{
    QStringList out;
    for (qsizetype r = 0; r < column->size(); ++r)
        out << column->text(r);
    return out;
}

} // namespace

class TestCombinedFiles : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;
    int m_files = 0;

    QString write(const QByteArray& bytes)
    {
        return fixtures::writeFile(m_dir, QStringLiteral("20150301080000_%1.CSV").arg(++m_files), bytes);
    }

    combined::ScannedFile scan(const QByteArray& bytes)
    {
        Result<combined::ScannedFile> scanned = combined::scanFile(write(bytes));
        if (!scanned.ok())
            qFatal("scan failed: %s", qPrintable(scanned.status().message()));
        return std::move(scanned).value();
    }

    combined::ScannedFile fileOf(const QString& model, const QByteArray& first, const QByteArray& last, int records = 2)
    {
        QByteArray bytes = "; " + model.toLatin1() + "\r\n; \r\n" + first + ",1,2,3\r\n";
        for (int r = 2; r < records; ++r)
            bytes += "bad line\r\n" + first + ",1,2,3\r\n";
        return scan(bytes + last + ",1,2,3\r\n");
    }

  private Q_SLOTS:
    void commentLinesNameTheModel_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("model");
        QTest::newRow("plain") << QByteArray("; QOR1100") << "QOR1100";
        QTest::newRow("family member") << QByteArray("; QOR1400-Z12 ch 1") << "QOR1400";
        QTest::newRow("lower case, blanks around") << QByteArray("  ; qor1100  ") << "";
        QTest::newRow("upper-cased") << QByteArray("; qor1100") << "QOR1100";
        QTest::newRow("no blank after the semicolon") << QByteArray(";QOR1100") << "";
        QTest::newRow("a data line") << QByteArray("2015-03-01 08:00:00,QOR1100") << "";
        QTest::newRow("beyond column 40") << QByteArray("; " + QByteArray(34, ' ') + "QOR1100") << "";
        QTest::newRow("cut at column 40") << QByteArray("; QOR1100" + QByteArray(40, 'x')) << "QOR1100";
    }

    void commentLinesNameTheModel()
    {
        QFETCH(QByteArray, line);
        QFETCH(QString, model);
        QCOMPARE(combined::commentModel(std::string_view(line.constData(), static_cast<std::size_t>(line.size()))), model);
    }

    // The records are those that opening the file alone shows: its first record starts the file's
    // time, lines without a valid time are no records, and the last record ends it whatever follows.
    void scanAgreesWithTheReader()
    {
        const QByteArray bytes = "; QOR1400-Z11\r\n; \r\n"
                                 "not a time,1,2,3\r\n"
                                 "2015-03-01 08:00:00,1,2,3\r\n"
                                 "2015-03-01 08:00:10,4\r\n"
                                 "\r\n"
                                 "2015-3-01 08:00:20,1,2,3\r\n"
                                 "2015-03-01 08:00:30,7,8,9\r\n"
                                 "; trailing comment\r\n"
                                 "garbage";
        const combined::ScannedFile file = scan(bytes);
        QCOMPARE(file.model, QStringLiteral("QOR1400"));
        QCOMPARE(file.count.RecordCount, 3);
        QCOMPARE(iso(file.firstSeconds), QStringLiteral("2015-03-01 08:00:00"));
        QCOMPARE(iso(file.lastSeconds), QStringLiteral("2015-03-01 08:00:30"));

        SlotData alone;
        const QString path = write(bytes);
        QVERIFY(recordedfile::readHeaderInto(models::FileKind::Csv, path, alone).ok());
        NoBusyDisplay noWindow;
        QVERIFY(FuncReadCsvFile(noWindow, path, alone).ok());
        SlotData combinedSlot;
        QVERIFY(combined::loadFile(file, combinedSlot).ok());
        QCOMPARE(combinedSlot.RecordCount, alone.RecordCount);
        QCOMPARE(*combinedSlot.TraceData.TimeValue, *alone.TraceData.TimeValue);
        for (ColumnId id : {ColumnId::PV1, ColumnId::SP1, ColumnId::MV1})
            QCOMPARE(texts(combinedSlot.TraceData.column(id)), texts(alone.TraceData.column(id)));
        QCOMPARE(texts(combinedSlot.TraceData.column(ColumnId::SP1)), (QStringList{"2", "", "8"}));
    }

    // Values are read whole, however far along the line they end; only the first three count.
    void valuesAreReadWhole()
    {
        const QByteArray spaced = "2015-03-01 08:00:00,       100.25,          150.125,       12.5,99";
        QVERIFY(spaced.size() > 60);
        const combined::ScannedFile file = scan("; QOR1100\r\n" + spaced + "\r\n");
        SlotData slot;
        QVERIFY(combined::loadFile(file, slot).ok());
        QCOMPARE(slot.TraceData.column(ColumnId::PV1)->number(0), 100.25);
        QCOMPARE(slot.TraceData.column(ColumnId::SP1)->number(0), 150.125);
        QCOMPARE(slot.TraceData.column(ColumnId::MV1)->number(0), 12.5);
        QCOMPARE(slot.TraceData.column(ColumnId::PV2)->size(), 1);
        QVERIFY(std::isnan(slot.TraceData.column(ColumnId::PV2)->number(0)));
    }

    void unreadableFilesFail_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header only") << QByteArray("; QOR1100\r\n; \r\n");
        QTest::newRow("no valid time") << QByteArray("; QOR1100\r\n2015-13-01 08:00:00,1,2,3\r\n");
        QTest::newRow("binary") << QByteArray("\0\xff;\n\0QOR\r\r", 11);
    }

    void unreadableFilesFail()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!combined::scanFile(write(bytes)).ok());
    }

    void aFileThatIsGoneFails()
    {
        const Result<combined::ScannedFile> scanned = combined::scanFile(m_dir.filePath(QStringLiteral("gone.CSV")));
        QVERIFY(!scanned.ok());
        QCOMPARE(scanned.status().code(), StatusCode::Unreadable);
    }

    void modelCheck()
    {
        const combined::ScannedFile a = fileOf("QOR1100", "2015-03-01 08:00:00", "2015-03-01 09:00:00");
        const combined::ScannedFile b = fileOf("QOR1400-Z12", "2015-03-01 08:00:00", "2015-03-01 09:00:00");
        const combined::ScannedFile c = fileOf("QOR1400", "2015-03-01 08:00:00", "2015-03-01 09:00:00");
        const combined::ScannedFile d = fileOf("QOR1300", "2015-03-01 08:00:00", "2015-03-01 09:00:00");
        QVERIFY(combined::modelCheck({&b, &c, nullptr}).ok());
        QVERIFY(combined::modelCheck({&a, &a, &d}).ok()); // file 3 may differ
        QCOMPARE(combined::modelCheck({&a, &c, nullptr}).code(), StatusCode::Refused);
        QCOMPARE(combined::modelCheck({&a, &c, nullptr}).message(),
                 QStringLiteral("Please select the same model. => #1 QOR1100   #2 QOR1400   #3 "));
        QCOMPARE(combined::modelCheck({&d, &d, &a}).message(),
                 QStringLiteral("Please select the same model. => #1 QOR1300   #2 QOR1300   #3 QOR1100"));
        QCOMPARE(combined::modelCheck({&a, nullptr, nullptr}).message(),
                 QStringLiteral("Please select the same model. => #1 QOR1100   #2    #3 "));
    }

    void spanOfTheFiles()
    {
        const combined::ScannedFile early = fileOf("QOR1100", "2015-03-01 08:00:00", "2015-03-01 10:00:00", 4);
        const combined::ScannedFile same = fileOf("QOR1100", "2015-03-01 08:00:00", "2015-03-01 09:00:00", 3);
        const combined::ScannedFile late = fileOf("QOR1100", "2015-03-01 08:30:00", "2015-03-02 10:00:00", 5);
        const combined::ScannedFile earliest = fileOf("QOR1300", "2015-02-28 23:59:59", "2015-03-01 08:10:00", 6);

        combined::CombinedSpan span = combined::combinedSpan({&early, &same, nullptr});
        QCOMPARE(iso(span.firstTime), QStringLiteral("2015-03-01 08:00:00"));
        QCOMPARE(iso(span.lastTime), QStringLiteral("2015-03-01 10:00:00"));
        QCOMPARE(span.chartLength, 3); // file 2 wins the tie

        span = combined::combinedSpan({&late, &early, &earliest});
        QCOMPARE(iso(span.firstTime), QStringLiteral("2015-02-28 23:59:59"));
        QCOMPARE(iso(span.lastTime), QStringLiteral("2015-03-02 10:00:00"));
        QCOMPARE(span.chartLength, 6);

        span = combined::combinedSpan({&same, &late, &early}); // file 3 ties: files 1 and 2 keep it
        QCOMPARE(span.chartLength, 3);
        QCOMPARE(iso(span.lastTime), QStringLiteral("2015-03-02 10:00:00"));
    }
};

QTEST_GUILESS_MAIN(TestCombinedFiles)
#include "tst_combinedfiles.moc"
