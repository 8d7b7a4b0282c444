#include "data/busynotice.h"
#include "data/combinedfiles.h"
#include "data/recordedfile.h"
#include "data/recordingopener.h"
#include "support/fifo.h"
#include "support/fixtures.h"
#include "support/recordingbusy.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace qor;

// Whatever a file holds, reading it ends with records or with a failure that leaves the slot empty.
class TestHostileFiles : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;
    int m_files = 0;

    void readSafely(const QByteArray& bytes, const QString& extension)
    {
        const QString path = fixtures::writeFile(m_dir, QStringLiteral("20150301080000_%1.%2").arg(++m_files).arg(extension), bytes);
        readPathSafely(path);
    }

    void readPathSafely(const QString& path)
    {
        const models::FileKind kind = models::fileKindOf(path);
        SlotData slot;
        RecordingBusy busy;
        if (!recordedfile::readHeaderInto(kind, path, slot).ok())
            return;
        const ReadResult result = recordedfile::readRecords(kind, busy, path, slot);
        QVERIFY(!busy.busyShown);
        if (!result.ok()) {
            QCOMPARE(slot.RecordCount, 0);
            QVERIFY(!slot.FirstTime);
            return;
        }
        QVERIFY(slot.RecordCount > 0);
        QCOMPARE(static_cast<qint32>(slot.TraceData.TimeValue->size()), slot.RecordCount);
        for (const ColumnPtr& column : slot.TraceData.values) {
            QCOMPARE(column->size(), slot.RecordCount);
            column->text(slot.RecordCount - 1);
            column->number(0);
        }
    }

    QByteArray sample(samplegen::FileKind kind, const char* model)
    {
        samplegen::Recording recording;
        recording.kind = kind;
        recording.model = model;
        recording.records = 40;
        recording.commentLines = true;
        QFile file(fixtures::generated(m_dir, recording));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

  private Q_SLOTS:
    void emptyFiles()
    {
        for (const char* ext : {"LOG", "CSV", "DAT"})
            readSafely({}, QString::fromLatin1(ext));
    }

    void truncatedAndCorruptedRecordings()
    {
        const QList<std::pair<QByteArray, QString>> originals = {
            {sample(samplegen::FileKind::Log, "QOR1300"), "LOG"},
            {sample(samplegen::FileKind::Log, "QOR1000-Z7"), "LOG"},
            {sample(samplegen::FileKind::Csv, "QOR1400"), "CSV"},
            {sample(samplegen::FileKind::Dat, "QOR510"), "DAT"},
        };
        QRandomGenerator random(42);
        for (const auto& [bytes, ext] : originals) {
            for (int i = 0; i < 40; ++i)
                readSafely(bytes.left(random.bounded(static_cast<int>(bytes.size()) + 1)), ext);
            for (int i = 0; i < 40; ++i) {
                QByteArray corrupted = bytes;
                for (int flips = 0; flips < 20; ++flips)
                    corrupted[random.bounded(static_cast<int>(corrupted.size()))] = static_cast<char>(random.bounded(256));
                readSafely(corrupted, ext);
            }
        }
    }

    void randomBytes()
    {
        QRandomGenerator random(1234);
        for (int i = 0; i < 60; ++i) {
            QByteArray bytes(random.bounded(4000), '\0');
            for (char& b : bytes)
                b = static_cast<char>(random.bounded(256));
            if (i % 3 == 1)
                bytes.prepend("[QOR1300]                               " + QByteArray(40, ' '));
            if (i % 3 == 2)
                bytes.prepend("; QOR1300\r\n; \r\n2015-03-01 08:00:00,");
            for (const char* ext : {"LOG", "CSV", "DAT"})
                readSafely(bytes, QString::fromLatin1(ext));
        }
    }

    // A sparse file whose size stands for more records than a count can hold is refused before
    // anything is allocated for it.
    void sizesBeyondTheRecordCountAreRefused()
    {
        const QString path = fixtures::writeFile(m_dir, "20150301080000_huge.LOG", fixtures::logHeader("QOR1100", "A"));
        QFile file(path);
        QVERIFY(file.resize(80 + 28LL * 0x80000000LL));
        SlotData slot;
        RecordingBusy busy;
        QVERIFY(recordedfile::readHeaderInto(models::FileKind::Log, path, slot).ok());
        QVERIFY(!recordedfile::readRecords(models::FileKind::Log, busy, path, slot).ok());
        QCOMPARE(slot.RecordCount, 0);
        file.remove();
    }

    void unreadableAndUnknownFiles()
    {
        SlotData slot;
        RecordingBusy busy;
        QCOMPARE(recordedfile::readHeaderInto(models::FileKind::Csv, m_dir.filePath("none.CSV"), slot).status().code(),
                 StatusCode::Unreadable);
        QCOMPARE(recordedfile::readHeaderInto(models::FileKind::Unknown, m_dir.filePath("x.TXT"), slot).status().code(),
                 StatusCode::UnknownKind);
        QVERIFY(!recordedfile::readRecords(models::FileKind::Unknown, busy, m_dir.filePath("x.TXT"), slot).ok());
        QCOMPARE(recordedfile::readHeaderInto(models::FileKind::Csv, fixtures::writeFile(m_dir, "old.CSV", "2015-03-01 08:00:00,1,2,3\r\n"),
                                              slot)
                     .status()
                     .code(),
                 StatusCode::NoModelLine);
        QCOMPARE(recordedfile::readHeaderInto(models::FileKind::Csv,
                                              fixtures::writeFile(m_dir, "old2.CSV", ";\r\n2015-03-01 08:00:00,1,2,3\r\n"), slot)
                     .status()
                     .code(),
                 StatusCode::UnknownCsvModel);
    }

    // A name that stands for no regular file is refused at once, by every read: a FIFO would block
    // the read until another process writes to it.
    void namesOfNoRegularFileAreRefusedAtOnce()
    {
        NoBusyDisplay noWindow;
        const auto refusal = [](const Status& status, QStringView what) {
            return status.code() == StatusCode::Unreadable && status.message().contains(what);
        };
        for (const char* ext : {"LOG", "CSV", "DAT"}) {
            const QString fifo = fixtures::makeFifo(m_dir, QStringLiteral("20150301080000_pipe.%1").arg(ext));
            QVERIFY(!fifo.isEmpty());
            Status opened;
            QVERIFY(fixtures::returnsWithoutAWriter(fifo, [&] { opened = openRecording(fifo, noWindow, QStringLiteral("test")).status; }));
            QVERIFY2(refusal(opened, u"a FIFO"), qPrintable(opened.message()));
            if (QStringView(u"CSV") == QLatin1StringView(ext)) {
                Status scanned;
                QVERIFY(fixtures::returnsWithoutAWriter(fifo, [&] { scanned = combined::scanFile(fifo).status(); }));
                QVERIFY2(refusal(scanned, u"a FIFO"), qPrintable(scanned.message()));
            }
            QFile::remove(fifo);
        }
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.LOG")));
        const Status folder = openRecording(m_dir.filePath(QStringLiteral("folder.LOG")), noWindow, QStringLiteral("test")).status;
        QVERIFY2(refusal(folder, u"a folder"), qPrintable(folder.message()));
    }
};

QTEST_GUILESS_MAIN(TestHostileFiles)
#include "tst_hostilefiles.moc"
