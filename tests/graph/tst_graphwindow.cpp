#include "shell/programstate.h"
#include "support/programfolder.h"

#include "data/loadeddataset.h"
#include "graph/graphlegend.h"
#include "graph/graphwindow.h"
#include "graph/textcontrast.h"
#include "graph/timeslider.h"
#include "graph/trendgraph.h"
#include "shell/apppath.h"
#include "shell/bgrcolor.h"
#include "shell/graphsettings.h"
#include "shell/main/mainwindow.h"
#include "shell/slotwindows.h"
#include "shell/stringtable.h"
#include "support/scriptedprompts.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

#include <memory>
#include <tuple>

using namespace qor;

namespace {

// Values that keep every plot inside its axis; the text of value v of record r is "(v+1)(r%50).5".
double plotValue(int record, int value)
{
    return (value + 1) * 10 + record % 50 + 0.5;
}

QColor textColor(const QWidget* widget)
{
    return widget->palette().color(QPalette::WindowText);
}

QColor backColor(const QWidget* widget)
{
    return widget->palette().color(QPalette::Window);
}

// Pixels close to `color`, allowing for the blending of smoothed lines.
int pixelsNear(const QImage& image, const QColor& color)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - color.red()) < 40 && std::abs(c.green() - color.green()) < 40 && std::abs(c.blue() - color.blue()) < 40)
                ++count;
        }
    }
    return count;
}

QMdiSubWindow* frameOf(QWidget* window)
{
    return qobject_cast<QMdiSubWindow*>(window->parentWidget());
}

} // namespace

class TestGraphWindow : public QObject {
    Q_OBJECT

  private:
    std::unique_ptr<ProgramFolder> m_folder;
    ScriptedPrompts* m_prompts = nullptr;

    GraphWindow& open(MainWindow& main, const QString& path)
    {
        if (!main.openFile(path))
            qFatal("the file %s did not open", qPrintable(path));
        return *graphWindow(loadedData().FileNo);
    }

    QString log(const QByteArray& model, const QByteArray& option = {}) { return m_folder->writeLog(model, option, 3600, 1, plotValue); }

  private Q_SLOTS:
    void init()
    {
        m_folder = std::make_unique<ProgramFolder>();
        m_prompts = &ScriptedPrompts::install();
    }
    void cleanup() { m_folder.reset(); }

    void loadTakesColoursWidthsAndRangeFromTheSettings()
    {
        m_folder->setSetting("Line", "Plots_Width", "3");
        m_folder->setSetting("Color", "Min_PVZoom", "50");
        m_folder->setSetting("Color", "Max_PVZoom", "250");
        GraphWindow window(1);
        window.load();
        for (int k = 1; k <= 9; ++k) {
            const QColor color = fromBgr(graphSettings().PlotColor[static_cast<std::size_t>(k - 1)]);
            QCOMPARE(window.CWGraph1()->plot(k).color(), color);
            // The legend names the plot in its colour, as far as it reads on the legend's background.
            QCOMPARE(textColor(window.legend()->itemText(k)),
                     textcontrast::readableOn(color, window.legend()->palette().color(QPalette::Window)));
            QCOMPARE(window.CWGraph1()->plot(k).lineWidth(), 3);
            QVERIFY(legendState().isOn(k, 1));
        }
        QCOMPARE(window.Label3(2), "2");
        QCOMPARE(window.CWGraph1()->axis(GraphAxis::Temperature).minimum(), 50.0);
        QCOMPARE(window.CWGraph1()->axis(GraphAxis::Temperature).maximum(), 250.0);
        QCOMPARE(window.CWGraph1()->axis(GraphAxis::Output).labelColor(), fromBgr(graphSettings().OutputColor));
        QCOMPARE(textColor(window.legend()->header()), fromBgr(graphSettings().TimeColor));
    }

    void anyTimeColourStartsTheDarkStyle_data()
    {
        QTest::addColumn<QString>("timeColor");
        QTest::addColumn<bool>("dark");
        QTest::newRow("white") << "16777215" << true;
        QTest::newRow("almost black") << "1" << true;
        QTest::newRow("zero") << "0" << false;
    }
    void anyTimeColourStartsTheDarkStyle()
    {
        QFETCH(QString, timeColor);
        QFETCH(bool, dark);
        m_folder->setSetting("Color", "TIME_Color", timeColor);
        GraphWindow window(1);
        window.load();
        QCOMPARE(window.Label3(1), dark ? "1" : "0");
        const QColor back = dark ? QColor(0x40, 0x40, 0x40) : QColor(0xE0, 0xE0, 0xE0);
        QCOMPARE(backColor(&window), back);
        QCOMPARE(backColor(window.legend()), back);
        QCOMPARE(backColor(window.legend()->group(3)), back);
        for (int line = 0; line < 3; ++line)
            QCOMPARE(textColor(window.Label4(line)), dark ? fromBgr(ButtonFaceColor) : QColor(Qt::black));
    }

    void gridSettingsOutsideTheTableLeaveTheDesign()
    {
        GraphWindow design(2);
        const int designDivisions = design.CWGraph1()->axis(GraphAxis::Temperature).majorDivisions();
        m_folder->setSetting("Line", "Y_Grid", "7");
        m_folder->setSetting("Line", "X_Grid", "10");
        GraphWindow window(1);
        window.load();
        QCOMPARE(window.Label3(3), design.Label3(3));
        QCOMPARE(window.CWGraph1()->axis(GraphAxis::Temperature).majorDivisions(), designDivisions);
        QCOMPARE(window.Label3(4), "2");
        QCOMPARE(window.CWGraph1()->axis(GraphAxis::Time).majorDivisions(), 13);
        QVERIFY(!window.CWGraph1()->axis(GraphAxis::Time).minorGrid());

        m_folder->setSetting("Line", "Y_Grid", "5");
        m_folder->setSetting("Line", "X_Grid", "3");
        GraphWindow dense(1);
        dense.load();
        QCOMPARE(dense.Label3(3), "1");
        QCOMPARE(dense.CWGraph1()->axis(GraphAxis::Temperature).majorDivisions(), 20);
        QCOMPARE(dense.Label3(4), design.Label3(4));
        QCOMPARE(dense.CWGraph1()->axis(GraphAxis::Time).majorDivisions(), design.CWGraph1()->axis(GraphAxis::Time).majorDivisions());
    }

    // Plot 2 (SP1) is magenta in the shipped settings, a colour nothing else in the graph uses.
    void clickingTheTextOrTheCheckMarkTogglesAPlot()
    {
        MainWindow main;
        main.show();
        GraphWindow& window = open(main, log("QOR1000"));
        GraphLegend& legend = *window.legend();
        const QColor magenta = fromBgr(graphSettings().PlotColor[1]);
        QVERIFY(pixelsNear(window.CWGraph1()->controlImage(), magenta) > 50);

        QTest::mouseClick(legend.itemText(2), Qt::LeftButton);
        QVERIFY(!window.CWGraph1()->plot(2).isVisible());
        QVERIFY(!legendState().isOn(2, 1));
        QCOMPARE(textColor(legend.itemText(2)), QColor(0xC0, 0xC0, 0xC0));
        QCOMPARE(legend.itemCheck(2)->pixmap().toImage(),
                 QImage(AppPath() + "Unchecked.ico").convertToFormat(legend.itemCheck(2)->pixmap().toImage().format()));
        QCOMPARE(pixelsNear(window.CWGraph1()->controlImage(), magenta), 0);
        QVERIFY(window.CWGraph1()->plot(1).isVisible());

        QTest::mouseClick(legend.itemCheck(2), Qt::LeftButton);
        QVERIFY(window.CWGraph1()->plot(2).isVisible());
        QVERIFY(legendState().isOn(2, 1));
        QCOMPARE(textColor(legend.itemText(2)), textcontrast::readableOn(magenta, legend.palette().color(QPalette::Window)));
        QCOMPARE(legend.itemCheck(2)->pixmap().toImage(),
                 QImage(AppPath() + "Checked.ico").convertToFormat(legend.itemCheck(2)->pixmap().toImage().format()));
        QVERIFY(pixelsNear(window.CWGraph1()->controlImage(), magenta) > 50);
    }

    void theTwoCursorModesExcludeEachOther()
    {
        MainWindow main;
        main.show();
        GraphWindow& window = open(main, log("QOR1300"));
        GraphLegend& legend = *window.legend();
        TrendGraph& graph = *window.CWGraph1();
        const QColor dark = fromBgr(ButtonFaceColor);

        QTest::mouseClick(legend.itemText(10), Qt::LeftButton);
        QVERIFY(graph.cursor(1).isVisible());
        QVERIFY(legendState().isOn(10, 1));
        QCOMPARE(textColor(legend.itemText(10)), dark);
        for (int k = 1; k <= 3; ++k) {
            QCOMPARE(graph.cursor(k).color(), dark);
            QCOMPARE(graph.annotation(k).captionColor(), dark);
        }

        QTest::mouseClick(legend.itemCheck(11), Qt::LeftButton);
        QVERIFY(!graph.cursor(1).isVisible());
        QVERIFY(!graph.annotation(1).isVisible());
        QVERIFY(!legendState().isOn(10, 1));
        QCOMPARE(textColor(legend.itemText(10)), QColor(0xC0, 0xC0, 0xC0));
        QVERIFY(graph.cursor(2).isVisible() && graph.cursor(3).isVisible());
        QVERIFY(legendState().isOn(11, 1));
        QVERIFY(legend.statisticsButton()->isVisible());

        QTest::mouseClick(legend.itemText(10), Qt::LeftButton);
        QVERIFY(!graph.cursor(2).isVisible() && !graph.cursor(3).isVisible());
        QVERIFY(!legendState().isOn(11, 1));
        QVERIFY(!legend.readout(2)->isVisible() && !legend.statisticsButton()->isVisible());
        QVERIFY(graph.cursor(1).isVisible());
        QTest::mouseClick(legend.itemCheck(10), Qt::LeftButton);
        QVERIFY(!graph.cursor(1).isVisible());
        QVERIFY(!legendState().isOn(10, 1));

        // In the light style the cursors and their texts are dark grey.
        window.setLabel3(1, "0");
        window.applyBackground();
        QTest::mouseClick(legend.itemText(11), Qt::LeftButton);
        QCOMPARE(graph.cursor(2).color(), QColor(0x40, 0x40, 0x40));
        QCOMPARE(textColor(legend.readout(3)), QColor(0x40, 0x40, 0x40));
    }

    void stringsNameTheWindowTheSeriesAndTheFile()
    {
        MainWindow main;
        main.show();
        const QString path = log("QOR1300");
        GraphWindow& window = open(main, path);
        const QString title = "Three-Channel Graph [" + path.toUpper() + "]";
        QCOMPARE(window.windowTitle(), title);
        QCOMPARE(window.legend()->header()->text(), "< Legend >");
        QCOMPARE(window.legend()->itemText(10)->text(), "Cursor");
        QCOMPARE(window.legend()->itemText(11)->text(), "Range");
        QCOMPARE(window.legend()->statisticsButton()->text(), "Calculate");
        const QStringList names = {"Hi.PV", "Hi.SP", "Hi.MV", "Exp.PV", "Exp.SP", "Exp.MV", "Lo.PV", "Lo.SP", "Lo.MV"};
        for (int k = 1; k <= 9; ++k)
            QCOMPARE(window.legend()->itemText(k)->text(), names[k - 1]);
        QCOMPARE(window.Label4(0)->text(), "File Name : " + title);
        QCOMPARE(window.Label4(1)->text(), "Model :  QOR1300" + QString(20, u' ') + "Start Time : 2015-03-01 AM 8:00:00" +
                                               QString(15, u' ') + "End Time : 2015-03-01 AM 8:59:59");
        loadedData().slot(1).PrintComment = "oven 4";
        window.ApplyGraphStrings();
        QCOMPARE(window.Label4(2)->text(), "Print Comment :  oven 4");

        main.chooseLanguage("KOR");
        QCOMPARE(window.legend()->itemText(10)->text(), stringEntry(GraphText::Cursor));
        QVERIFY(window.legend()->itemText(10)->text() != "Cursor");
        QCOMPARE(window.windowTitle(), stringEntry(GraphText::ThreeChannelGraph) + "[" + path.toUpper() + "]");
    }

    // Each plot of the file's read plan shows its column over the whole recording, plots 4 and 5 on
    // the plan's axis; the plots the plan leaves out show nothing.
    void aFileIsDrawnAsItsPlanSays()
    {
        MainWindow main;
        main.show();
        for (const auto& [model, plots, valueAxis] :
             {std::tuple{"QOR1300", 9, GraphAxis::Temperature}, {"QOR1200", 6, GraphAxis::Output}}) {
            const GraphWindow& window = open(main, log(model));
            const SlotData& file = loadedData().slot(window.slot());
            const TrendGraph& graph = *window.CWGraph1();
            for (int k = 1; k <= TrendGraph::PlotCount; ++k)
                QCOMPARE(graph.plot(k).pointCount(), k <= plots ? 3600 : 0);
            QCOMPARE(graph.plot(4).yAxis(), valueAxis);
            QCOMPARE(graph.plot(5).yAxis(), valueAxis);
            QCOMPARE(graph.plot(plots).yAt(70), plotValue(70, plots - 1));
            QCOMPARE(graph.plot(plots).xAt(3599), *file.LastTime);
            QCOMPARE(window.CWSlide7()->axis().minimum(), *file.FirstTime);
            QCOMPARE(window.CWSlide7()->axis().maximum(), *file.LastTime);
        }
    }

    void stringsByModel_data()
    {
        QTest::addColumn<QByteArray>("model");
        QTest::addColumn<QByteArray>("option");
        QTest::addColumn<QString>("titleStart");
        QTest::addColumn<QStringList>("captions");
        QTest::newRow("QOR1000 named") << QByteArray("QOR1000") << QByteArray("OVEN") << "Trend Graph ["
                                       << QStringList{"OVEN PV", "OVEN SP", "OVEN MV"};
        QTest::newRow("QOR1000 two channels") << QByteArray("QOR1000") << QByteArray() << "Trend Graph ["
                                              << QStringList{"CH 1 PV", "CH 1 SP", "CH 1 MV", "CH 2 PV", "CH 2 SP", "CH 2 MV"};
        QTest::newRow("QOR1000-Z7") << QByteArray("QOR1000-Z7") << QByteArray() << "Trend Graph [" << QStringList{"PV", "SP", "MV1", "MV2"};
        QTest::newRow("QOR1200") << QByteArray("QOR1200") << QByteArray() << "Temperature and Humidity Graph ["
                                 << QStringList{"PV", "SP", "MV", "HPV", "HSP", "HMV"};
        QTest::newRow("QOR1400 all") << QByteArray("QOR1400") << QByteArray() << "Trend Graph ["
                                     << QStringList{"CH 1 PV", "CH 1 SP", "CH 1 MV", "CH 2 PV", "CH 2 SP",
                                                    "CH 2 MV", "CH 3 PV", "CH 3 SP", "CH 3 MV"};
        QTest::newRow("other model") << QByteArray("QOR9999") << QByteArray() << "그래프 보기" << QStringList{};
    }
    void stringsByModel()
    {
        QFETCH(QByteArray, model);
        QFETCH(QByteArray, option);
        QFETCH(QString, titleStart);
        QFETCH(QStringList, captions);
        MainWindow main;
        main.show();
        GraphWindow& window = open(main, log(model, option));
        QVERIFY2(window.windowTitle().startsWith(titleStart), qPrintable(window.windowTitle()));
        for (int k = 1; k <= captions.size(); ++k)
            QCOMPARE(window.legend()->itemText(k)->text(), captions[k - 1]);
        if (captions.isEmpty())
            QCOMPARE(window.legend()->itemText(1)->text(), "");
    }

    void activationSetsTheSlotAndTheCheckMarks()
    {
        MainWindow main;
        main.show();
        GraphWindow& first = open(main, log("QOR1300"));
        GraphWindow& second = open(main, log("QOR1200"));
        QCOMPARE(second.slot(), 2);
        QCOMPARE(loadedData().FileNo, 2);
        first.setLabel3(0, "0"); // the marks follow the current slot's window only
        QVERIFY(!main.command("MT_RelaTime")->isChecked());
        first.setLabel3(3, "2");
        main.mdiArea()->setActiveSubWindow(frameOf(&first));
        QCOMPARE(loadedData().FileNo, 1);
        QVERIFY(frameOf(&first)->isMaximized());
        QVERIFY(main.command("MW_Dis_1")->isChecked() && !main.command("MW_Dis_2")->isChecked());
        QVERIFY(main.command("MT_RelaTime")->isChecked() && !main.command("MT_AbsTime")->isChecked());
        QVERIFY(main.command("MY_Dense2")->isChecked() && !main.command("MY_standard")->isChecked());

        main.mdiArea()->setActiveSubWindow(frameOf(&second));
        QCOMPARE(loadedData().FileNo, 2);
        QVERIFY(main.command("MT_AbsTime")->isChecked() && !main.command("MT_RelaTime")->isChecked());
        QVERIFY(main.command("MY_standard")->isChecked() && !main.command("MY_Dense2")->isChecked());
        QVERIFY(main.command("MX_Standard")->isChecked());
        QVERIFY(main.command("MVL_Normal")->isChecked());
        QVERIFY(main.command("MV_Style_2")->isChecked());
    }

    // The search hands its span over as typed; the window shows it the right way round.
    void aSpanTypedBackwardsIsShownForwards()
    {
        GraphWindow window(1);
        GraphFormView& view = window;
        view.showSpan(ProgramFolder::at(600), ProgramFolder::at(60));
        QCOMPARE(view.shownFrom(), ProgramFolder::at(60));
        QCOMPARE(view.shownTo(), ProgramFolder::at(600));
    }

    // Restored from maximised, or left alone when the maximised one closes, a window takes its
    // design size within the main window, never a bare title bar.
    void aRestoredWindowTakesItsDesignSize()
    {
        MainWindow main;
        main.resize(1400, 1000);
        main.show();
        GraphWindow& first = open(main, log("QOR1300"));
        GraphWindow& second = open(main, log("QOR1200"));
        QVERIFY(frameOf(&second)->isMaximized());
        const QSize design(qRound(GraphWindow::ReferenceWidth / 15), qRound(GraphWindow::ReferenceHeight / 15));
        frameOf(&second)->showNormal();
        QVERIFY(!frameOf(&second)->isMaximized());
        QCOMPARE(second.size(), design);
        frameOf(&second)->showMaximized();
        frameOf(&second)->close();
        QVERIFY(first.isVisible());
        if (!frameOf(&first)->isMaximized())
            QCOMPARE(first.size(), design);
        frameOf(&first)->showNormal();
        QCOMPARE(first.size(), design);

        main.resize(500, 400); // smaller than the design: the frame stays inside the area
        frameOf(&first)->showMaximized();
        frameOf(&first)->showNormal();
        const QRect area(QPoint(0, 0), main.mdiArea()->viewport()->size());
        QVERIFY(area.contains(frameOf(&first)->geometry()));
        QVERIFY(first.height() > 100 && first.width() > 100);
    }

    void closingTheLastGraphWindowDisablesTheFileCommands()
    {
        MainWindow main;
        main.show();
        GraphWindow& first = open(main, log("QOR1300"));
        open(main, log("QOR1300"));
        frameOf(&first)->close();
        QVERIFY(loadedData().slot(1).FilePath.isEmpty());
        QVERIFY(!SlotLoaded(1));
        for (const char* name : {"M_TimeAxis", "M_View", "M_Window", "MF_FileInfo", "MF_Print"})
            QVERIFY2(main.command(name)->isEnabled(), name);
        QVERIFY(main.button(2)->isEnabled());

        frameOf(graphWindow(2))->close();
        QVERIFY(loadedData().slot(2).FilePath.isEmpty());
        for (const char* name :
             {"M_TimeAxis", "M_View", "M_YGrid", "M_XGrid", "M_Window", "M_DisplaySet", "MF_FileInfo", "MF_Excel", "MF_Print"})
            QVERIFY2(!main.command(name)->isEnabled(), name);
        for (int index = 2; index <= 13; ++index)
            QVERIFY(!main.button(index)->isEnabled());

        // A window whose slot has no file follows the check marks but enables nothing.
        main.showMaximized();
        first.setLabel3(4, "1");
        main.showSlotWindow(1);
        QCOMPARE(loadedData().FileNo, 1);
        QVERIFY(main.command("MX_Dense1")->isChecked());
        QVERIFY(!main.button(5)->isEnabled());
        QVERIFY(!main.command("M_XGrid")->isEnabled());
    }

    void restoreGraphViewBringsBackTheNormalView()
    {
        MainWindow main;
        main.show();
        GraphWindow& window = open(main, log("QOR1300"));
        QImage page(40, 30, QImage::Format_RGB32);
        page.fill(Qt::white);
        window.showReportPage(page);
        QVERIFY(!main.command("M_View")->isEnabled() && !main.command("MF_Open")->isEnabled());
        QVERIFY(!main.button(14)->isEnabled());
        window.setLabel3(1, "0");
        QTest::mouseClick(window.Command1(), Qt::LeftButton);
        QVERIFY(window.legend()->isVisible());
        QVERIFY(!window.PicPrint()->isVisible());
        QVERIFY(main.command("M_View")->isEnabled() && main.command("MF_Open")->isEnabled());
        QVERIFY(main.button(14)->isEnabled());
        QCOMPARE(backColor(&window), QColor(0xE0, 0xE0, 0xE0));
    }

    void escapeRestoresTheMousePointer()
    {
        GraphWindow window(1);
        window.load();
        window.setCursor(Qt::CrossCursor);
        QTest::keyClick(window.CWGraph1(), Qt::Key_A);
        QCOMPARE(window.cursor().shape(), Qt::CrossCursor);
        QTest::keyClick(window.CWGraph1(), Qt::Key_Escape);
        QCOMPARE(window.cursor().shape(), Qt::ArrowCursor);
    }

    void escapeEndsAZoomNotYetDragged()
    {
        GraphWindow window(1);
        window.load();
        window.CWGraph1()->setTrackMode(TrendGraph::TrackZoomX);
        QTest::keyClick(window.CWGraph1(), Qt::Key_Escape);
        QCOMPARE(window.CWGraph1()->trackMode(), TrendGraph::TrackNone);
        window.CWGraph1()->setTrackMode(TrendGraph::TrackDragCursor);
        QTest::keyClick(window.CWGraph1(), Qt::Key_Escape);
        QCOMPARE(window.CWGraph1()->trackMode(), TrendGraph::TrackDragCursor);
    }
};

QTEST_MAIN(TestGraphWindow)
#include "tst_graphwindow.moc"
