#include "support/fixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Sample = QStringLiteral("20150305080000_QOR1300.LOG");
const QStringList RangeAndComment{"--range", "2015-03-05 09:00:00", "2015-03-05 12:00:00", "--comment", "Kiln 4 after repair"};

struct Run {
    int status = -1;
    QString err;
};

Run runProgram(const QString& program, const QStringList& args, const QString& folder = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, args);
    if (!process.waitForFinished(60000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, QString::fromLocal8Bit(process.readAllStandardError())};
}

Run report(const QStringList& args, const QString& folder = {})
{
    return runProgram(QStringLiteral(TRACE_READER), QStringList{"--report"} + args, folder);
}

struct Word {
    QRectF box; // points, from the page's top-left corner
    QString text;
};

struct PdfPage {
    QSizeF size;
    std::vector<Word> words;
};

// The words of the PDF's one page as pdftotext sees them.
PdfPage wordsOf(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {"-bbox", pdf, "-"});
    process.waitForFinished(60000);
    const QString html = QString::fromUtf8(process.readAllStandardOutput());
    PdfPage page;
    static const QRegularExpression size(QStringLiteral("<page width=\"([\\d.]+)\" height=\"([\\d.]+)\""));
    if (const QRegularExpressionMatch m = size.match(html); m.hasMatch())
        page.size = QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    for (QRegularExpressionMatchIterator it = word.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QPointF from(m.captured(1).toDouble(), m.captured(2).toDouble());
        page.words.push_back({QRectF(from, QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())), m.captured(5)});
    }
    return page;
}

} // namespace

class TestReportPdf : public QObject {
    Q_OBJECT

  private:
    QTemporaryDir m_dir;
    QString m_mount; // a small file system mounted for the test, if any

    QString sample() const { return QDir(QStringLiteral(QOR_SAMPLES_DIR)).filePath(Sample); }

  private Q_SLOTS:
    void cleanup()
    {
        if (!m_mount.isEmpty())
            runProgram(QStringLiteral("umount"), {m_mount});
        m_mount.clear();
    }

    // The page of a sample as a reader gets it: every word of a readable size, on the paper, clear
    // of every other; the time axis labelled; the comment and the last statistics there.
    void thePageIsReadableAndWhole_data()
    {
        QTest::addColumn<QStringList>("orientation");
        QTest::newRow("portrait") << QStringList{};
        QTest::newRow("landscape") << QStringList{"--landscape"};
    }

    void thePageIsReadableAndWhole()
    {
        QFETCH(QStringList, orientation);
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        const QString out = m_dir.filePath(QStringLiteral("page.pdf"));
        const Run run = report(QStringList{sample(), out} + RangeAndComment + orientation);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        const PdfPage page = wordsOf(out);
        QVERIFY(page.words.size() > 50);
        const QRectF paper(QPointF(0, 0), page.size);
        int timeLabels = 0;
        QString text;
        for (std::size_t n = 0; n < page.words.size(); ++n) {
            const Word& word = page.words[n];
            QVERIFY2(word.box.height() <= 16, qPrintable(word.text));
            QVERIFY2(paper.contains(word.box), qPrintable(word.text));
            // A box is the font's whole line, leading and descent included: the ink of two words meets
            // only where their boxes share more than a quarter of a line.
            for (std::size_t other = 0; other < n; ++other) {
                const QRectF overlap = word.box.intersected(page.words[other].box);
                const double line = std::min(word.box.height(), page.words[other].box.height());
                QVERIFY2(overlap.width() < 0.5 || overlap.height() < line / 4, qPrintable(word.text + u'/' + page.words[other].text));
            }
            timeLabels += word.text == u"03/05";
            text += word.text + u' ';
        }
        QVERIFY2(timeLabels >= 5, qPrintable(QString::number(timeLabels)));
        QVERIFY(text.contains(QStringLiteral("Kiln 4 after repair")));
        static const QRegularExpression lastPair(QStringLiteral("Lo\\.MV \\(Minimum\\) : [\\d.]+ \\(Maximum\\) : [\\d.]+"));
        QVERIFY(text.contains(lastPair));
    }

    // A full disk: exit 1 with the system's reason, the former file as it was and nothing else left.
    void aFullDiskLeavesTheOldFileAndSaysWhy()
    {
        const QString folder = m_dir.filePath(QStringLiteral("small"));
        QVERIFY(QDir().mkpath(folder));
        const Run mounted = runProgram(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=64k", "tmpfs", folder});
        if (mounted.status != 0)
            QSKIP(qPrintable(QStringLiteral("a small tmpfs cannot be mounted here: ") + mounted.err.trimmed()));
        m_mount = folder;
        const QByteArray former(20000, 'x');
        const QString out = fixtures::writeFile(m_dir, QStringLiteral("small/report.pdf"), former);
        fixtures::writeFile(m_dir, QStringLiteral("small/filler"), QByteArray(40000, 'f'));
        const Run run = report(QStringList{sample(), out} + RangeAndComment);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(QStringLiteral("No space left on device")), qPrintable(run.err));
        QCOMPARE(fixtures::contents(out), former);
        QCOMPARE(QDir(folder).entryList(QDir::Files), (QStringList{"filler", "report.pdf"}));
    }

    // Console commands leave the viewer's settings (its Recent Files) alone, and a relative path is
    // shown as the absolute one.
    void consoleCommandsKeepNothingAndShowAbsolutePaths()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        const QString settings = QFileInfo(QStringLiteral(TRACE_READER)).dir().filePath(QStringLiteral("SetGraphInfo.ini"));
        const QByteArray before = fixtures::contents(settings);
        const QString samples = QStringLiteral(QOR_SAMPLES_DIR);
        const QString out = m_dir.filePath(QStringLiteral("relative.pdf"));
        QCOMPARE(report({Sample, out}, samples).status, 0);
        QCOMPARE(runProgram(QStringLiteral(TRACE_READER), {"--render", Sample, m_dir.filePath("relative.png")}, samples).status, 0);
        QCOMPARE(fixtures::contents(settings), before);
        QString text;
        for (const Word& word : wordsOf(out).words)
            text += word.text;
        QVERIFY2(text.contains(QDir(samples).absoluteFilePath(Sample).toUpper()), qPrintable(text.left(200)));
    }
};

QTEST_GUILESS_MAIN(TestReportPdf)
#include "tst_reportpdf.moc"
