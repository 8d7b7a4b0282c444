#include "support/fixtures.h"

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int status = -1;
    QString err;
};

// The real program running a drawing command, without a display platform named, as a user at a
// console runs it.
Run runCommand(const QString& command, const QStringList& args)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TRACE_READER), QStringList{command} + args);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, QString::fromLocal8Bit(process.readAllStandardError())};
}

Run render(const QStringList& args)
{
    return runCommand(QStringLiteral("--render"), args);
}

Run report(const QStringList& args)
{
    return runCommand(QStringLiteral("--report"), args);
}

// Pixels close to the colour of the shipped settings' plot 2 (magenta) and plot 1 (red).
int pixelsNear(const QImage& image, QRgb color)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (std::abs(qRed(c) - qRed(color)) < 40 && std::abs(qGreen(c) - qGreen(color)) < 40 && std::abs(qBlue(c) - qBlue(color)) < 40)
                ++count;
        }
    }
    return count;
}

} // namespace

class TestRenderCommand : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;

    QString sample(samplegen::FileKind kind) { return fixtures::generated(m_dir, {.model = "QOR1300", .kind = kind, .records = 2000}); }

  private Q_SLOTS:
    void savesThePictureOfTheGraph_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("size");
        QTest::addColumn<QSize>("expected");
        QTest::newRow("log, default size") << sample(samplegen::FileKind::Log) << QStringList{} << QSize(1600, 900);
        QTest::newRow("csv, 640x480") << sample(samplegen::FileKind::Csv) << QStringList{"--size", "640x480"} << QSize(640, 480);
    }
    void savesThePictureOfTheGraph()
    {
        QFETCH(QString, path);
        QFETCH(QStringList, size);
        QFETCH(QSize, expected);
        const QString out = m_dir.filePath(QStringLiteral("graph.png"));
        QFile::remove(out);
        const Run run = render(QStringList{path, out} + size);
        QCOMPARE(run.status, 0);
        QVERIFY2(run.err.isEmpty() || !run.err.contains(u"--render"), qPrintable(run.err));
        const QImage image(out);
        QCOMPARE(image.size(), expected);
        QVERIFY(pixelsNear(image, qRgb(255, 0, 255)) > 50);   // SP1
        QVERIFY(pixelsNear(image, qRgb(255, 255, 255)) > 50); // tick labels of the dark style
    }

    void refusesWithAReason_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("reason");
        const QString log = sample(samplegen::FileKind::Log);
        const QString out = m_dir.filePath(QStringLiteral("refused.png"));
        QTest::newRow("unknown kind") << QStringList{fixtures::writeFile(m_dir, "notes.txt", "x"), out} << "no .CSV, .LOG or .DAT file";
        QTest::newRow("missing file") << QStringList{m_dir.filePath("20150301080000_QOR1300.LOG.gone.LOG"), out} << "No such file";
        QTest::newRow("no records") << QStringList{fixtures::writeFile(m_dir, "20150301080000_EMPTY.LOG", fixtures::logHeader("QOR1300")),
                                                   out}
                                    << "EMPTY.LOG";
        QTest::newRow("bad size") << QStringList{log, out, "--size", "800by600"} << "bad size";
        QTest::newRow("unwritable output") << QStringList{log, m_dir.filePath("no/such/folder/out.png")} << "cannot write";
        QTest::newRow("missing output") << QStringList{log} << "usage";
    }
    void refusesWithAReason()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, reason);
        const Run run = render(args);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(reason), qPrintable(run.err));
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("refused.png"))));
    }

    // One page of a PDF file in the orientation asked for; the range statistics and comment fit in.
    void reportsPrintOnePage_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("mediaBox");
        QTest::newRow("portrait") << QStringList{} << QByteArray("/MediaBox [0 0 595");
        QTest::newRow("landscape, range, comment, size")
            << QStringList{"--landscape", "--range", "2015-03-01 08:05:00", "2015-03-01 08:20:00", "--comment", "Batch 7",
                           "--size",      "800x500"}
            << QByteArray("/MediaBox [0 0 842");
    }
    void reportsPrintOnePage()
    {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, mediaBox);
        const QString out = m_dir.filePath(QStringLiteral("report.pdf"));
        QFile::remove(out);
        const Run run = report(QStringList{sample(samplegen::FileKind::Log), out} + options);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const QByteArray pdf = fixtures::contents(out);
        QVERIFY(pdf.startsWith("%PDF"));
        QVERIFY(pdf.contains(mediaBox));
        QVERIFY(pdf.contains("/ToUnicode"));
    }

    void reportsRefuseWithAReason_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("reason");
        const QString log = sample(samplegen::FileKind::Log);
        const QString out = m_dir.filePath(QStringLiteral("refused.pdf"));
        QTest::newRow("missing file") << QStringList{m_dir.filePath("20150301080000_QOR1300.LOG.gone.LOG"), out} << "No such file";
        QTest::newRow("bad range") << QStringList{log, out, "--range", "2015-03-01", "2015-03-02"} << "bad range";
        // Both times before the recording: the recording's own times are named.
        QTest::newRow("range outside") << QStringList{log, out, "--range", "2000-01-01 00:00:00", "2000-01-01 00:00:01"}
                                       << "outside the recording, which runs from 2015-03-01 08:00:00 to 2015-03-01";
        QTest::newRow("unknown option") << QStringList{log, out, "--color"} << "usage";
        QTest::newRow("missing output") << QStringList{log} << "usage";
        QTest::newRow("unwritable output") << QStringList{log, m_dir.filePath("no/such/folder/out.pdf")} << "No such file or directory";
    }
    void reportsRefuseWithAReason()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, reason);
        const Run run = report(args);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(reason, Qt::CaseInsensitive), qPrintable(run.err));
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("refused.pdf"))));
    }
};

QTEST_GUILESS_MAIN(TestRenderCommand)
#include "tst_rendercommand.moc"
