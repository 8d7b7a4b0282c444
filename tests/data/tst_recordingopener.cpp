// Opening a recording into a record of its own: every kind and every way it can fail.
#include "data/recordingopener.h"
#include "support/fixtures.h"
#include "support/recordingbusy.h"

#include <QTemporaryDir>
#include <QTest>

using namespace qor;

class TestRecordingOpener : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;

    QString write(const QString& name, const QByteArray& bytes) { return fixtures::writeFile(m_dir, name, bytes); }

  private Q_SLOTS:
    // The window sees the busy notice alone; what it draws comes with the record, as its read plan.
    void anOpenedRecordingCarriesItsRecordsAndPlan()
    {
        QByteArray bytes = fixtures::logHeader("QOR1400", "CH1");
        for (int r = 0; r < 5; ++r)
            bytes += fixtures::logRecord(r * 10, {1.5, 2.5, 3.5});
        const QString path = write(QStringLiteral("20150301080000_oven.LOG"), bytes);
        RecordingBusy window;
        OpenedRecording opened = openRecording(path, window, QStringLiteral("label"));
        QVERIFY(opened.opened());
        QVERIFY(opened.status.message().isEmpty());
        QCOMPARE(opened.slot.Kind, models::FileKind::Log);
        QCOMPARE(opened.slot.FilePath, path);
        QCOMPARE(opened.slot.ModelName(), "QOR1400");
        QCOMPARE(opened.slot.traits().name, u"QOR1400");
        QCOMPARE(opened.slot.RecordCount, 5);
        QCOMPARE(opened.channelDisplayCode, std::optional<int>(1));
        QCOMPARE(window.calls, QStringList({"busy 36", "idle"}));
        QCOMPARE(plotCallsOf(opened.slot.Plan), "yaxis 4 2|yaxis 5 2|plot 1|plot 2|plot 3");
        QCOMPARE(opened.slot.TraceData.column(ColumnId::PV1)->text(4), "1.5");
    }

    void aCsvFileTellsItsChannelDisplayCode()
    {
        const QString path = write(QStringLiteral("20150301080000_oven.CSV"), "; QOR1400\r\n; CH2\r\n2015-03-01 08:00:00,1,2,3\r\n");
        RecordingBusy window;
        const OpenedRecording opened = openRecording(path, window, QStringLiteral("label"));
        QVERIFY(opened.opened());
        QCOMPARE(opened.channelDisplayCode, std::optional<int>(2));
        QCOMPARE(opened.slot.traits().name, u"QOR1400");
        const QString other = write(QStringLiteral("20150301080000_other.CSV"), "; QOR1300\r\n; \r\n2015-03-01 08:00:00,1,2,3\r\n");
        QCOMPARE(openRecording(other, window, QStringLiteral("label")).channelDisplayCode, std::nullopt);
    }

    void failuresSayWhyAndKeepNoRecords_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<StatusCode>("status");
        QTest::addColumn<QString>("why");
        QTest::addColumn<QString>("logged");
        QTest::newRow("unknown kind") << "20150301080000_notes.TXT" << QByteArray("x") << StatusCode::UnknownKind << "no .CSV, .LOG or .DAT"
                                      << "The file is no .CSV, .LOG or .DAT file. label";
        QTest::newRow("no model line") << "20150301080000_a.CSV" << QByteArray("2015-03-01 08:00:00,1\r\n") << StatusCode::NoModelLine
                                       << "does not begin"
                                       << "";
        QTest::newRow("old csv file") << "20150301080000_b.CSV" << QByteArray(";\r\n2015-03-01 08:00:00,1\r\n")
                                      << StatusCode::UnknownCsvModel << "no model line"
                                      << "";
        QTest::newRow("no records") << "20150301080000_c.LOG" << fixtures::logHeader("QOR1300") << StatusCode::Malformed
                                    << "no whole record"
                                    << "The file holds no whole record after its header. modFunc_Ran.FuncReadFile";
        QTest::newRow("csv without records") << "20150301080000_d.CSV" << QByteArray("; QOR1300\r\n; \r\n") << StatusCode::Malformed << ""
                                             << "modFunc_Ran.FuncReadCsvFile";
        QTest::newRow("missing") << "" << QByteArray() << StatusCode::Unreadable << "No such file"
                                 << "label";
    }
    void failuresSayWhyAndKeepNoRecords()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(StatusCode, status);
        QFETCH(QString, why);
        QFETCH(QString, logged);
        const QString path = name.isEmpty() ? m_dir.filePath(QStringLiteral("20150301080000_gone.LOG")) : write(name, bytes);
        RecordingBusy window;
        const OpenedRecording opened = openRecording(path, window, QStringLiteral("label"));
        QCOMPARE(opened.status.code(), status);
        const QString& failure = opened.status.message();
        QVERIFY(!failure.isEmpty());
        QVERIFY2(failure.contains(why), qPrintable(failure));
        QCOMPARE(opened.logLines.isEmpty(), logged.isEmpty());
        if (!logged.isEmpty())
            QVERIFY2(opened.logLines.last().endsWith(logged), qPrintable(opened.logLines.join(u'|')));
        QCOMPARE(opened.slot.RecordCount, 0);
        QVERIFY(opened.slot.TraceData.TimeValue->empty());
        QVERIFY(opened.slot.Plan.plots.empty());
    }
};

QTEST_GUILESS_MAIN(TestRecordingOpener)
#include "tst_recordingopener.moc"
