#include "data/loadeddataset.h"
#include "graph/graphcursor.h"
#include "graph/graphlegend.h"
#include "graph/graphwindow.h"
#include "graph/trendgraph.h"
#include "output/reportpage.h"
#include "output/reportprint.h"
#include "shell/graphsettings.h"
#include "shell/legendstate.h"
#include "shell/main/mainwindow.h"
#include "shell/programstate.h"
#include "support/filesizelimit.h"
#include "support/fixtures.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"
#include "table/spreadgrid.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

#include <memory>

using namespace qor;

namespace {

double plotValue(int record, int value)
{
    return 20 + record % 50 + value;
}

const QColor PreviewGrey(0xE0, 0xE0, 0xE0);

} // namespace

class TestReportCommands : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ProgramFolder> m_folder;
    ScriptedPrompts* m_prompts = nullptr;
    std::unique_ptr<MainWindow> m_main;
    GraphWindow* m_graph = nullptr;

    QString pathIn(const QString& name) const { return m_folder->dir().filePath(name); }
    bool cursor1Shown() const { return m_graph->CWGraph1()->cursor(1).isVisible(); }

    // Every command that the report state switches off is off, and printing is on; or all are on.
    void verifyReportState(bool on) const
    {
        for (int index = 1; index <= 13; ++index)
            QVERIFY2(m_main->button(index)->isEnabled() == (!on || index == 2), qPrintable(QString::number(index)));
        for (const char* name : {"M_TimeAxis", "M_View", "M_YGrid", "M_XGrid", "M_Window", "M_DisplaySet", "MF_Open", "MF_FileInfo"})
            QVERIFY2(m_main->command(QString::fromLatin1(name))->isEnabled() == !on, name);
        QCOMPARE(m_graph->PicPrint()->isVisible(), on);
        QCOMPARE(m_graph->Command1()->isVisible(), on);
        QCOMPARE(m_graph->legend()->isVisible(), !on);
    }

    void printTo(const QString& pdf, bool landscape)
    {
        m_prompts->printAnswer = [pdf, landscape](QPrinter& printer) {
            printer.setOutputFileName(pdf);
            printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
            return true;
        };
    }

  private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        m_prompts = &ScriptedPrompts::install();
        m_main = std::make_unique<MainWindow>();
        m_main->show();
        QVERIFY(m_main->openFile(m_folder->writeLog("QOR1300", {}, 500, 60, plotValue)));
        m_graph = graphWindow(loadedData().FileNo);
        m_graph->legendClicked(LegendState::SingleCursorItem);
        QVERIFY(cursor1Shown());
    }

    void cleanup()
    {
        m_main.reset();
        m_folder.reset();
    }

    // The preview covers the graph with the page on grey and keeps cursor 1; Exit, printing and
    // activating the window each end it.
    void thePreviewEntersAndLeavesTheReportState()
    {
        m_main->command("MF_Preview")->trigger();
        verifyReportState(true);
        QVERIFY(cursor1Shown());
        const QImage page = m_graph->PicPrint()->pixmap().toImage();
        QCOMPARE(page.pixelColor(2, page.height() - 2), PreviewGrey);
        QCOMPARE(m_graph->PicPrint()->geometry().topLeft(), m_graph->CWGraph1()->geometry().topLeft());

        m_graph->Command1()->click();
        verifyReportState(false);

        m_main->command("MF_Preview")->trigger();
        m_graph->activate();
        verifyReportState(false);

        m_main->command("MF_Preview")->trigger();
        printTo(pathIn("from-preview.pdf"), false);
        m_main->button(2)->trigger();
        verifyReportState(false);
        QVERIFY(QFileInfo::exists(pathIn("from-preview.pdf")));
    }

    // However the window is shaped, the preview covers the graph area within the window and shows
    // the whole sheet of a portrait page in it.
    void thePreviewShowsTheWholePage_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::newRow("wide") << QSize(1900, 700);
        QTest::newRow("tall") << QSize(700, 1000);
    }

    void thePreviewShowsTheWholePage()
    {
        QFETCH(QSize, window);
        m_graph->parentWidget()->resize(window);
        m_main->command("MF_Preview")->trigger();
        const QRect shown = m_graph->PicPrint()->geometry();
        QCOMPARE(shown.topLeft(), m_graph->CWGraph1()->geometry().topLeft());
        QCOMPARE(shown.bottomRight(), m_graph->rect().bottomRight());
        const QRectF sheet = output::previewSheet(shown.size());
        QVERIFY(QRectF(QPointF(0, 0), shown.size()).contains(sheet));
        QVERIFY(qFuzzyCompare(sheet.width() / sheet.height(), 11400.0 / 16400));
        QVERIFY(sheet.height() >= shown.height() - 1 || sheet.width() >= shown.width() - 1);
    }

    // The page shows what the window shows: the print switches of the settings, the range cursors'
    // readouts and the statistics grid's texts.
    void thePageTakesItsFactsFromTheWindow()
    {
        graphSettings().PrintInfo = {1, 0, 1, 0, 1};
        m_graph->legendClicked(LegendState::RangeCursorsItem);
        m_graph->RangeStatistics();
        const output::ReportFacts facts = output::reportFactsOf(*m_graph);
        QCOMPARE(facts.switches, (std::array<bool, 5>{true, false, true, false, true}));
        QVERIFY(facts.rangeCursorsOn);
        QCOMPARE(facts.rangeFrom, m_graph->legend()->readout(2)->text());
        QCOMPARE(facts.rangeTo, m_graph->legend()->readout(3)->text());
        const SpreadGrid& grid = *m_graph->legend()->statisticsGrid();
        QCOMPARE(facts.statistics.size(), std::size_t{9});
        for (int row = 1; row <= 9; ++row) {
            QVERIFY(!grid.GetText(1, row).isEmpty());
            QCOMPARE(facts.statistics[static_cast<std::size_t>(row - 1)], std::pair(grid.GetText(1, row), grid.GetText(2, row)));
        }
        QCOMPARE(facts.filePath, loadedData().current().FilePath);
        // Range cursors switched off and on again stand anew: the earlier range's statistics, which
        // the window no longer shows, are not printed either.
        m_graph->legendClicked(LegendState::RangeCursorsItem);
        m_graph->legendClicked(LegendState::RangeCursorsItem);
        QVERIFY(output::reportFactsOf(*m_graph).statistics.empty());
    }

    // Printing hides cursor 1 for good and writes one page of text and graph, in the orientation
    // chosen in the dialog.
    void printingWritesThePageInTheChosenOrientation_data()
    {
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QByteArray>("mediaBox");
        QTest::newRow("portrait") << false << QByteArray("/MediaBox [0 0 595");
        QTest::newRow("landscape") << true << QByteArray("/MediaBox [0 0 842");
    }

    void printingWritesThePageInTheChosenOrientation()
    {
        QFETCH(bool, landscape);
        QFETCH(QByteArray, mediaBox);
        const QString pdf = pathIn("report.pdf");
        printTo(pdf, landscape);
        m_main->command("MF_Print")->trigger();
        QCOMPARE(m_prompts->printDialogs, 1);
        QVERIFY(m_prompts->messages.isEmpty());
        QVERIFY(!cursor1Shown());
        verifyReportState(false);
        const QByteArray bytes = fixtures::contents(pdf);
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY2(bytes.contains(mediaBox), bytes.left(2000).constData());
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 1);
        QVERIFY(bytes.contains("/ToUnicode")); // the texts are text, not pictures of text
    }

    void aCancelledPrintDialogPrintsNothing()
    {
        m_main->command("MF_Preview")->trigger();
        m_main->button(2)->trigger();
        QCOMPARE(m_prompts->printDialogs, 1);
        QVERIFY(m_prompts->messages.isEmpty());
        QVERIFY(cursor1Shown());
        verifyReportState(true);
    }

    void aFailedPrintIsToldAndLeavesTheViewAsItWas()
    {
        printTo(pathIn("report.pdf") + QStringLiteral("/inside.pdf"), false);
        m_main->command("MF_Preview")->trigger();
        m_main->command("MF_Print")->trigger();
        QCOMPARE(m_prompts->messages.size(), 1);
        QCOMPARE(m_prompts->messages[0].title, "Error");
        QVERIFY(m_prompts->messages[0].warning);
        QVERIFY(cursor1Shown());
        verifyReportState(false);
    }

    // Printed into a file on a disk that fills up: told with the reason, the former file unchanged.
    void printingToAFullDiskLeavesTheFormerFile()
    {
        const QString pdf = pathIn("report.pdf");
        fixtures::setContents(pdf, "former");
        printTo(pdf, false);
        {
            const FileSizeLimit fullDisk(10000);
            m_main->command("MF_Print")->trigger();
        }
        QCOMPARE(m_prompts->messages.size(), 1);
        QVERIFY(m_prompts->messages[0].warning);
        QVERIFY2(m_prompts->messages[0].text.contains(u"File too large"), qPrintable(m_prompts->messages[0].text));
        QCOMPARE(fixtures::contents(pdf), "former");
        QCOMPARE(QDir(m_folder->dir().path()).entryList({"report.pdf*"}), QStringList{"report.pdf"});
    }

    // The picture is in the format its name promises; a name of a format the program cannot write
    // gets the extension of the one written.
    void captureWritesTheFormatOfTheExtension_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("jpg") << "graph.jpg"
                             << "graph.jpg" << QByteArray("\xFF\xD8\xFF");
        QTest::newRow("jpeg") << "graph.JPEG"
                              << "graph.JPEG" << QByteArray("\xFF\xD8\xFF");
        QTest::newRow("png") << "graph.png"
                             << "graph.png" << QByteArray("\x89PNG");
        QTest::newRow("bmp") << "graph.bmp"
                             << "graph.bmp" << QByteArray("BM");
        QTest::newRow("ppm") << "graph.ppm"
                             << "graph.ppm" << QByteArray("P6");
        if (QImageWriter::supportedImageFormats().contains("gif"))
            QTest::newRow("gif") << "graph.gif"
                                 << "graph.gif" << QByteArray("GIF8");
        else
            QTest::newRow("gif") << "graph.gif"
                                 << "graph.gif.bmp" << QByteArray("BM");
        QTest::newRow("other") << "graph.pic"
                               << "graph.pic.bmp" << QByteArray("BM");
        QTest::newRow("none") << "graph"
                              << "graph.bmp" << QByteArray("BM");
    }

    void captureWritesTheFormatOfTheExtension()
    {
        QFETCH(QString, name);
        QFETCH(QString, saved);
        QFETCH(QByteArray, magic);
        m_prompts->fileAnswers.enqueue(pathIn(name));
        const QString path = pathIn(saved);
        m_main->button(3)->trigger();
        QCOMPARE(m_prompts->fileFilters, (QStringList{"All Files (*.*)", "JPG Files (*.jpg)"}));
        QCOMPARE(m_prompts->selectedFilter, 1);
        QVERIFY(fixtures::contents(path).startsWith(magic));
        QCOMPARE(m_prompts->openedDocuments, QStringList{path});
        const QImage picture(path);
        const TrendGraph& graph = *m_graph->CWGraph1();
        QCOMPARE(picture.size(), QSize(graph.width(), graph.height() + 67) * m_graph->devicePixelRatioF());
        QVERIFY(!m_graph->PicPrint()->isVisible());
    }

    void aCancelledOrFailedCaptureOpensNothing()
    {
        m_main->command("MF_SnippingTool")->trigger();
        QVERIFY(m_prompts->openedDocuments.isEmpty());
        QVERIFY(m_prompts->messages.isEmpty());
        const QString underAFile = loadedData().current().FilePath + QStringLiteral("/graph.png");
        m_prompts->fileAnswers.enqueue(underAFile);
        m_main->command("MF_SnippingTool")->trigger();
        QVERIFY(m_prompts->openedDocuments.isEmpty());
        QCOMPARE(m_prompts->messages.size(), 1);
        QCOMPARE(m_prompts->messages[0].title, "Error");
        QVERIFY(m_prompts->messages[0].warning);
        QVERIFY2(m_prompts->messages[0].text.contains(u"Not a directory"), qPrintable(m_prompts->messages[0].text));
    }

    // A disk that fills up while the picture is written: the reason is told and logged.
    void aCaptureOnAFullDiskSaysWhy()
    {
        m_prompts->fileAnswers.enqueue(pathIn("graph.bmp"));
        {
            const FileSizeLimit fullDisk(10000);
            m_main->command("MF_SnippingTool")->trigger();
        }
        QCOMPARE(m_prompts->messages.size(), 1);
        QVERIFY(m_prompts->messages[0].text.contains(u"File too large"));
        QVERIFY(fixtures::contents(m_folder->dir().filePath("TraceReader.log")).contains("File too large"));
        QVERIFY(!QFileInfo::exists(pathIn("graph.bmp")));
    }
};

QTEST_MAIN(TestReportCommands)
#include "tst_reportcommands.moc"
