#include "data/datetime.h"
#include "data/loadeddataset.h"
#include "data/readresult.h"
#include "data/recordedfile.h"
#include "graph/graphlegend.h"
#include "graph/graphwindow.h"
#include "graph/timeslider.h"
#include "graph/trendgraph.h"
#include "shell/apppath.h"
#include "shell/graphsettings.h"
#include "shell/inifile.h"
#include "shell/main/mainwindow.h"
#include "shell/programstate.h"
#include "shell/stringtable.h"
#include "support/busycanceller.h"
#include "support/fixtures.h"
#include "support/programfolder.h"
#include "support/scriptedprompts.h"
#include "support/textcontrastcheck.h"

#include <optional>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace qor;

namespace {

QString setting(const char16_t* section, const char16_t* key)
{
    return IniFile(graphSettingsPath()).read(section, key, 64);
}

QColor textColor(const QWidget* widget)
{
    return widget->palette().color(QPalette::WindowText);
}

// The X column of every plot that shows points, by plot number.
std::map<int, TimePtr> plotTimes(const TrendGraph& graph)
{
    std::map<int, TimePtr> times;
    for (int k = 1; k <= TrendGraph::PlotCount; ++k) {
        if (!graph.plot(k).segments().empty())
            times[k] = graph.plot(k).segments().front().x;
    }
    return times;
}

// Runs the display settings command: `change` works on the modal window, then OK is pressed.
void changeDisplaySettings(MainWindow& main, const std::function<void(QWidget&)>& change)
{
    QTimer::singleShot(0, [&change] {
        QWidget* window = QApplication::activeModalWidget();
        QVERIFY(window && window->objectName() == u"frmDataGraphSet");
        change(*window);
        window->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    });
    main.command("M_DisplaySet")->trigger();
}

// The strongest ink of the time axis labels, below the ticks, against the graph's frame.
double timeLabelInk(const TrendGraph& graph)
{
    const GraphLayout layout = graph.layout(graph.rect());
    const QRectF area = layout.plotArea();
    const int top = qRound(area.bottom() + layout.tickLength()) + 2;
    return textcheck::strongestInk(graph.controlImage(), QRect(qRound(area.left()), top, qRound(area.width()), graph.height() - top),
                                   graph.graphFrameColor());
}

} // namespace

class TestViewCommands : public QObject {
    Q_OBJECT

  private:
    std::optional<ProgramFolder> m_folder;
    QTemporaryDir m_data;
    ScriptedPrompts* m_prompts = nullptr;

    // A QOR1300 log of `records` records, one every `interval` seconds.
    QString recording(std::int64_t records = 600, int interval = 1)
    {
        samplegen::Recording r;
        r.records = records;
        r.intervalSeconds = interval;
        return fixtures::generated(m_data, r);
    }

    QString errorLog() const
    {
        QFile log(AppPath() + QStringLiteral("TraceReader.log"));
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
    }

  private Q_SLOTS:
    void init()
    {
        m_folder.emplace();
        m_prompts = &ScriptedPrompts::install();
    }

    // OK reaches every graph window, whichever is current, and the files opened afterwards.
    void displaySettingsReachEveryWindow()
    {
        MainWindow main;
        main.show();
        QVERIFY(main.openFile(recording()));
        QVERIFY(main.openFile(recording()));
        main.showSlotWindow(1);
        QCOMPARE(loadedData().FileNo, 1);
        const QColor green(0, 0xFF, 0);
        m_prompts->colorAnswers.enqueue(green);
        changeDisplaySettings(main, [](QWidget& window) {
            window.findChild<QPushButton*>(QStringLiteral("Command3_1"))->click();
            window.findChild<QLineEdit*>(QStringLiteral("PVZoom_1"))->setText(QStringLiteral("250"));
        });
        for (int slot = 1; slot <= 2; ++slot) {
            TrendGraph& graph = *graphWindow(slot)->CWGraph1();
            QCOMPARE(graph.plot(1).color(), green);
            QCOMPARE(graph.axis(GraphAxis::Temperature).maximum(), 250.0);
        }
        graphWindow(2)->CWGraph1()->plot(1).setColor(Qt::red); // as a window shows before a new file
        QVERIFY(main.openFile(recording()));
        const TrendGraph& reopened = *graphWindow(loadedData().FileNo)->CWGraph1();
        QCOMPARE(reopened.plot(1).color(), green);
        QCOMPARE(reopened.axis(GraphAxis::Temperature).maximum(), 250.0);
    }

    // With the shipped colours every legend text, a switched-off item and the cursor readouts
    // included, reads on its background in both styles; so do the time axis labels after the
    // settings' defaults, which hold the dark style's white time axis, are applied to a light
    // window.
    void everyTextReadsOnItsBackground()
    {
        MainWindow main;
        main.show();
        QVERIFY(main.openFile(recording()));
        GraphWindow& window = *graphWindow(1);
        window.legendClicked(LegendState::SingleCursorItem); // the readouts in the legend
        window.legendClicked(3);                             // a plot switched off
        for (const char* style : {"MV_Style_1", "MV_Style_2"}) {
            main.command(style)->trigger();
            window.legendClicked(LegendState::SingleCursorItem);
            const textcheck::Weakest weakest = textcheck::weakestLabel(*window.legend());
            QVERIFY2(weakest.ratio >= 4.5, qPrintable(QStringLiteral("%1: %2 in %3").arg(weakest.ratio).arg(weakest.label, style)));
            QVERIFY(timeLabelInk(*window.CWGraph1()) >= 3.0);
        }
        main.command("MV_Style_1")->trigger();
        changeDisplaySettings(main, [](QWidget& settings) { settings.findChild<QPushButton*>(QStringLiteral("Command4"))->click(); });
        QCOMPARE(window.CWGraph1()->graphFrameColor(), QColor(0xE0, 0xE0, 0xE0));
        QVERIFY2(timeLabelInk(*window.CWGraph1()) >= 3.0, qPrintable(QString::number(timeLabelInk(*window.CWGraph1()))));
    }

    // The style in force stays one style: in memory, on file, in the settings window, in a window
    // that shows a new file and after a fresh start.
    void theStyleInForceSticks()
    {
        {
            MainWindow main;
            main.show();
            QVERIFY(main.openFile(recording()));
            main.button(6)->trigger(); // light
            QCOMPARE(graphSettings().TimeColor, 0);
            QCOMPARE(graphSettings().FrameColor, 0xE0E0E0);
            m_prompts->colorAnswers.enqueue(QColor(0, 0x80, 0));
            changeDisplaySettings(main, [](QWidget& window) { window.findChild<QPushButton*>(QStringLiteral("Command3_2"))->click(); });
            const GraphWindow& first = *graphWindow(1);
            QCOMPARE(first.CWGraph1()->axis(GraphAxis::Time).labelColor(), QColor(Qt::black));
            QCOMPARE(setting(u"Color", u"TIME_Color"), "0");
            QVERIFY(main.openFile(recording()));
            const GraphWindow& second = *graphWindow(2);
            QVERIFY(!second.darkStyle());
            QCOMPARE(second.CWGraph1()->graphFrameColor(), QColor(0xE0, 0xE0, 0xE0));
            QCOMPARE(second.CWGraph1()->axis(GraphAxis::Time).labelColor(), QColor(Qt::black));
        }
        m_folder->restart();
        m_prompts = &ScriptedPrompts::install();
        MainWindow restarted;
        QVERIFY(restarted.openFile(recording()));
        const GraphWindow& window = *graphWindow(1);
        QVERIFY(!window.darkStyle());
        QCOMPARE(window.CWGraph1()->graphFrameColor(), QColor(0xE0, 0xE0, 0xE0));
        QCOMPARE(window.CWGraph1()->axis(GraphAxis::Time).labelColor(), QColor(Qt::black));
        QCOMPARE(textColor(window.legend()->header()), QColor(Qt::black));
        QCOMPARE(window.palette().color(QPalette::Window), QColor(0xE0, 0xE0, 0xE0));
    }

    void button6TogglesTheStyleAndRecordsItsColours()
    {
        MainWindow main;
        QVERIFY(main.openFile(recording()));
        GraphWindow& window = *graphWindow(1);
        TrendGraph& graph = *window.CWGraph1();
        QCOMPARE(graph.graphFrameColor(), QColor(0x30, 0x30, 0x30)); // the shipped settings are dark
        window.legendClicked(10);
        QVERIFY(graph.cursor(1).isVisible());

        main.button(6)->trigger();
        QVERIFY(!graph.cursor(1).isVisible());
        QCOMPARE(window.Label3(1), "0");
        QVERIFY(main.command("MV_Style_1")->isChecked());
        QVERIFY(!main.command("MV_Style_2")->isChecked());
        QCOMPARE(graph.graphFrameColor(), QColor(0xE0, 0xE0, 0xE0));
        QCOMPARE(graph.plotAreaColor(), QColor(0xE0, 0xE0, 0xE0));
        QCOMPARE(graph.axis(GraphAxis::Time).labelColor(), QColor(Qt::black));
        QCOMPARE(graph.axis(GraphAxis::Time).majorTickColor(), QColor(Qt::black));
        QCOMPARE(textColor(window.legend()->header()), QColor(Qt::black));
        QCOMPARE(textColor(window.Label4(2)), QColor(Qt::black));
        QCOMPARE(window.palette().color(QPalette::Window), QColor(0xE0, 0xE0, 0xE0));
        QCOMPARE(window.CWSlide7()->backColor(), QColor(0xE0, 0xE0, 0xE0));
        QCOMPARE(setting(u"Color", u"TIME_Color"), "0");
        QCOMPARE(setting(u"Color", u"Frame_Color"), "14737632");

        main.button(6)->trigger();
        QCOMPARE(window.Label3(1), "1");
        QVERIFY(main.command("MV_Style_2")->isChecked());
        QVERIFY(!main.command("MV_Style_1")->isChecked());
        QCOMPARE(graph.graphFrameColor(), QColor(0x30, 0x30, 0x30));
        QCOMPARE(graph.plotAreaColor(), QColor(0x30, 0x30, 0x30));
        QCOMPARE(graph.axis(GraphAxis::Time).labelColor(), QColor(Qt::white));
        QCOMPARE(textColor(window.Label4(0)), QColor(Qt::white));
        QCOMPARE(textColor(window.legend()->header()), QColor(Qt::white));
        QCOMPARE(window.palette().color(QPalette::Window), QColor(0x40, 0x40, 0x40));
        QCOMPARE(window.CWSlide7()->backColor(), QColor(0x40, 0x40, 0x40));
        QCOMPARE(setting(u"Color", u"TIME_Color"), "16777215");
        QCOMPARE(setting(u"Color", u"Frame_Color"), "3158064");
    }

    // The style, line and zoom menu items work on the graph window of the file opened, as their
    // toolbar buttons do.
    void theStyleLineAndZoomItemsWorkOnTheGraphWindow()
    {
        MainWindow main;
        QVERIFY(main.openFile(recording()));
        for (const char* name : {"MV_Style_1", "MV_Style_2", "MVL_Normal", "MVL_Middle", "MVL_Thick", "MV_ZoomIn", "MV_ZoomOut"})
            QVERIFY2(main.command(name)->isEnabled(), name);
        for (int index : {6, 10, 11})
            QVERIFY(main.button(index)->isEnabled());
        main.command("MVL_Middle")->trigger();
        QCOMPARE(graphWindow(1)->CWGraph1()->plot(9).lineWidth(), 2);
        main.command("MV_Style_1")->trigger();
        QCOMPARE(graphWindow(1)->Label3(1), "0");
    }

    void lineWidthCommandsSetEveryPlot_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("item");
        QTest::newRow("thick") << 3 << "MVL_Thick";
        QTest::newRow("middle") << 2 << "MVL_Middle";
        QTest::newRow("normal") << 1 << "MVL_Normal";
    }

    void lineWidthCommandsSetEveryPlot()
    {
        QFETCH(int, width);
        QFETCH(QString, item);
        QVERIFY(IniFile(graphSettingsPath()).write(u"Line", u"Plots_Width", u"2").ok());
        LoadGraphSettings();
        MainWindow main;
        QVERIFY(main.openFile(recording()));
        ViewCommands& commands = main.viewCommands();
        const std::map<QString, void (ViewCommands::*)()> run = {
            {"MVL_Normal", &ViewCommands::MVL_Normal}, {"MVL_Middle", &ViewCommands::MVL_Middle}, {"MVL_Thick", &ViewCommands::MVL_Thick}};
        if (width == 2)
            commands.MVL_Thick(); // start from another width
        (commands.*run.at(item))();
        GraphWindow& window = *graphWindow(1);
        QCOMPARE(window.Label3(2), QString::number(width - 1));
        for (int k = 1; k <= TrendGraph::PlotCount; ++k)
            QCOMPARE(window.CWGraph1()->plot(k).lineWidth(), width);
        QCOMPARE(setting(u"Line", u"Plots_Width"), QString::number(width));
        QVERIFY(main.command(item)->isChecked());
        QCOMPARE(main.command("MVL_Normal")->isChecked() + main.command("MVL_Middle")->isChecked() + main.command("MVL_Thick")->isChecked(),
                 1);
    }

    void gridCommandsSetDivisionsCodesAndSettings_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("axis");
        QTest::addColumn<int>("divisions");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("stored");
        QTest::newRow("MX_Dense2") << "MX_Dense2" << 1 << 13 << "2"
                                   << "10";
        QTest::newRow("MX_Dense1") << "MX_Dense1" << 1 << 10 << "1"
                                   << "5";
        QTest::newRow("MX_Standard") << "MX_Standard" << 1 << 5 << "0"
                                     << "0";
        QTest::newRow("MY_Dense2") << "MY_Dense2" << 3 << 30 << "2"
                                   << "10";
        QTest::newRow("MY_Dense1") << "MY_Dense1" << 3 << 20 << "1"
                                   << "5";
        QTest::newRow("MY_standard") << "MY_standard" << 3 << 10 << "0"
                                     << "0";
    }

    void gridCommandsSetDivisionsCodesAndSettings()
    {
        QFETCH(QString, item);
        QFETCH(int, axis);
        QFETCH(int, divisions);
        QFETCH(QString, code);
        QFETCH(QString, stored);
        const bool time = axis == 1;
        // Start from another density, so that every effect below is the command's own.
        QVERIFY(IniFile(graphSettingsPath()).write(u"Line", time ? u"X_Grid" : u"Y_Grid", stored == u"5" ? u"10" : u"5").ok());
        LoadGraphSettings();
        MainWindow main;
        QVERIFY(main.openFile(recording()));
        GraphWindow& window = *graphWindow(1);
        TrendAxis& gridAxis = window.CWGraph1()->axis(static_cast<GraphAxis>(axis));
        gridAxis.setMinorGrid(true);
        QVERIFY(main.command(item)->isEnabled());
        main.command(item)->trigger();
        QCOMPARE(gridAxis.majorDivisions(), divisions);
        QVERIFY(!gridAxis.minorGrid());
        QCOMPARE(window.Label3(time ? 4 : 3), code);
        QCOMPARE(setting(u"Line", time ? u"X_Grid" : u"Y_Grid"), stored);
        QVERIFY(main.command(item)->isChecked());
        const QStringList family =
            time ? QStringList{"MX_Standard", "MX_Dense1", "MX_Dense2"} : QStringList{"MY_standard", "MY_Dense1", "MY_Dense2"};
        for (const QString& other : family)
            QCOMPARE(main.command(other)->isChecked(), other == item);
    }

    void commandsActOnTheCurrentSlotOnly()
    {
        MainWindow main;
        QVERIFY(main.openFile(recording()));
        QVERIFY(main.openFile(recording(300)));
        QCOMPARE(loadedData().FileNo, qint16{2});
        const int before = graphWindow(1)->CWGraph1()->axis(GraphAxis::Time).majorDivisions();
        main.command("MX_Dense1")->trigger();
        QCOMPARE(graphWindow(2)->CWGraph1()->axis(GraphAxis::Time).majorDivisions(), 10);
        QCOMPARE(graphWindow(1)->CWGraph1()->axis(GraphAxis::Time).majorDivisions(), before);
        QVERIFY(before != 10);
    }

    void zoomInLetsADragChooseTheRange()
    {
        MainWindow main;
        QVERIFY(main.openFile(recording()));
        GraphWindow& window = *graphWindow(1);
        QCOMPARE(window.CWGraph1()->trackMode(), TrendGraph::TrackNone);
        main.button(10)->trigger();
        QCOMPARE(window.CWGraph1()->trackMode(), TrendGraph::TrackZoomX);
        QCOMPARE(window.cursor().shape(), Qt::SizeHorCursor);
    }

    void zoomOutAtDepthZeroResetsTheValueAxesOnly()
    {
        MainWindow main;
        QVERIFY(main.openFile(recording()));
        TrendGraph& graph = *graphWindow(1)->CWGraph1();
        graph.axis(GraphAxis::Temperature).setMinMax(10, 20);
        graph.axis(GraphAxis::Output).setMinMax(30, 40);
        graph.axis(GraphAxis::Time).setMinMax(1, 2);
        main.button(11)->trigger();
        QCOMPARE(graph.axis(GraphAxis::Temperature).minimum(), graphSettings().PVRange.minimum);
        QCOMPARE(graph.axis(GraphAxis::Temperature).maximum(), graphSettings().PVRange.maximum);
        QCOMPARE(graph.axis(GraphAxis::Output).minimum(), 0.0);
        QCOMPARE(graph.axis(GraphAxis::Output).maximum(), 100.0);
        QCOMPARE(graph.axis(GraphAxis::Time).minimum(), 1.0);
        QCOMPARE(graph.axis(GraphAxis::Time).maximum(), 2.0);
        QCOMPARE(zoomHistory(1).depth(), 0);
    }

    void zoomOutStepsBackToTheWholeRange()
    {
        MainWindow main;
        QVERIFY(main.openFile(recording()));
        GraphWindow& window = *graphWindow(1);
        TrendGraph& graph = *window.CWGraph1();
        const SlotData& data = loadedData().slot(1);
        const double first = *data.FirstTime;
        const double last = *data.LastTime;
        TrendAxis& time = graph.axis(GraphAxis::Time);
        const double firstZoomEnd = datetime::addSeconds(first, 400);
        for (double end : {firstZoomEnd, datetime::addSeconds(first, 100)}) {
            time.setMinMax(first, end); // what a zoom drag leaves on the axis
            Q_EMIT graph.zoomCompleted();
        }
        QCOMPARE(zoomHistory(1).depth(), 2);
        QVERIFY(window.CWSlide7()->isVisibleTo(&window));

        main.button(11)->trigger();
        QCOMPARE(zoomHistory(1).depth(), 1);
        QCOMPARE(time.minimum(), first);
        QCOMPARE(time.maximum(), firstZoomEnd);

        main.button(11)->trigger();
        QCOMPARE(zoomHistory(1).depth(), 0);
        QCOMPARE(time.minimum(), first);
        QCOMPARE(time.maximum(), last);
        QVERIFY(!window.CWSlide7()->isVisibleTo(&window));

        time.setMinMax(first, firstZoomEnd);
        main.button(11)->trigger();
        QCOMPARE(zoomHistory(1).depth(), 0);
        QCOMPARE(time.maximum(), firstZoomEnd);
    }

    // A slot without a recording has no whole range to show: zooming out still ends the zoom and
    // resets the value axes, without an error.
    void zoomingOutWithoutARecordingEndsTheZoom()
    {
        MainWindow main;
        TrendAxis& time = graphWindow(1)->CWGraph1()->axis(GraphAxis::Time);
        time.setMinMax(1, 2);
        zoomHistory(1).push(1, 2);
        main.viewCommands().MV_ZoomOut();
        QCOMPARE(zoomHistory(1).depth(), 0);
        QCOMPARE(time.maximum(), 2.0);
        QCOMPARE(graphWindow(1)->CWGraph1()->axis(GraphAxis::Output).maximum(), 100.0);
        QVERIFY(errorLog().isEmpty());
    }

    void relativeTimeOfAThirtyHourRecordingAndBack()
    {
        MainWindow main;
        QVERIFY(main.openFile(recording(30 * 60 + 1, 60)));
        GraphWindow& window = *graphWindow(1);
        TrendGraph& graph = *window.CWGraph1();
        const SlotData& data = loadedData().slot(1);
        const double first = *data.FirstTime;
        const double last = *data.LastTime;
        const std::map<int, TimePtr> absolutePlots = plotTimes(graph);
        QVERIFY(!absolutePlots.empty());
        window.legendClicked(11);
        QVERIFY(graph.cursor(2).isVisible());

        main.command("MT_RelaTime")->trigger();
        const double thirtyHours = datetime::serialFromSeconds(30 * 3600);
        QCOMPARE(window.Label3(0), "0");
        QVERIFY(main.command("MT_RelaTime")->isChecked());
        QVERIFY(!main.command("MT_AbsTime")->isChecked());
        QVERIFY(!graph.cursor(2).isVisible());
        QCOMPARE(window.relTimeValue(), thirtyHours);
        const TrendAxis& time = graph.axis(GraphAxis::Time);
        QCOMPARE(time.minimum(), 0.0);
        QCOMPARE(time.maximum(), thirtyHours);
        QCOMPARE(time.formatString(), "hhhh:nn:ss");
        QCOMPARE(time.tickLabel(thirtyHours), "30:00:00");
        const TimeSlider& slider = *window.CWSlide7();
        QCOMPARE(slider.axis().formatString(), "hhhh:nn:ss");
        QCOMPARE(slider.axis().maximum(), thirtyHours);
        QCOMPARE(slider.value(), 0.0);
        QVERIFY(!slider.isVisibleTo(&window));

        const TimePtr relative = main.viewCommands().RelTimeArray();
        QCOMPARE(relative->size(), std::size_t{30 * 60 + 1});
        QCOMPARE(relative->front(), 0.0);
        QCOMPARE(relative->at(60), datetime::serialFromSeconds(3600));
        QCOMPARE(relative->back(), thirtyHours);
        const std::map<int, TimePtr> relativePlots = plotTimes(graph);
        QCOMPARE(relativePlots.size(), absolutePlots.size());
        for (const auto& [plot, x] : relativePlots) {
            QVERIFY2(absolutePlots.count(plot), qPrintable(QString::number(plot)));
            QVERIFY2(x == relative, qPrintable(QString::number(plot)));
        }

        main.command("MT_AbsTime")->trigger();
        QCOMPARE(window.Label3(0), "1");
        QVERIFY(main.command("MT_AbsTime")->isChecked());
        QCOMPARE(time.minimum(), first);
        QCOMPARE(time.maximum(), last);
        QCOMPARE(time.formatString(), "mm/dd hh:nn:ss");
        QCOMPARE(slider.axis().formatString(), "mm/dd hh:nn:ss");
        QCOMPARE(slider.axis().minimum(), first);
        QCOMPARE(slider.axis().maximum(), last);
        QVERIFY(!slider.isVisibleTo(&window));
        for (const auto& [plot, x] : plotTimes(graph))
            QVERIFY2(x == data.TraceData.TimeValue, qPrintable(QString::number(plot)));
        QVERIFY(m_prompts->messages.isEmpty());
    }

    // The zoom history holds ranges of the time base that was shown; after a switch it is gone.
    void switchingTheTimeAxisEndsTheZoom()
    {
        MainWindow main;
        QVERIFY(main.openFile(recording()));
        TrendGraph& graph = *graphWindow(1)->CWGraph1();
        graph.axis(GraphAxis::Time).setMinMax(*loadedData().slot(1).FirstTime, datetime::addSeconds(*loadedData().slot(1).FirstTime, 60));
        Q_EMIT graph.zoomCompleted();
        QCOMPARE(zoomHistory(1).depth(), 1);
        main.command("MT_RelaTime")->trigger();
        QCOMPARE(zoomHistory(1).depth(), 0);
        QCOMPARE(graph.axis(GraphAxis::Time).maximum(), graphWindow(1)->relTimeValue());
    }

    void aTimeAxisCommandForTheShownModeDoesNothing()
    {
        MainWindow main;
        QVERIFY(main.openFile(recording()));
        TrendGraph& graph = *graphWindow(1)->CWGraph1();
        const TimePtr read = loadedData().slot(1).TraceData.TimeValue;
        graph.axis(GraphAxis::Time).setMinMax(1, 2);
        main.command("MT_AbsTime")->trigger();
        QCOMPARE(loadedData().slot(1).TraceData.TimeValue, read); // not read again
        QCOMPARE(graph.axis(GraphAxis::Time).maximum(), 2.0);

        main.command("MT_RelaTime")->trigger();
        const TimePtr relative = main.viewCommands().RelTimeArray();
        const TimePtr reread = loadedData().slot(1).TraceData.TimeValue;
        QVERIFY(reread != read);
        main.command("MT_RelaTime")->trigger();
        QCOMPARE(main.viewCommands().RelTimeArray(), relative);
        QCOMPARE(loadedData().slot(1).TraceData.TimeValue, reread);
    }

    void aFailedReadIsReportedAndLogged()
    {
        MainWindow main;
        const QString path = recording();
        QVERIFY(main.openFile(path));
        QFile::resize(path, 80); // the header alone: no record left to read
        main.command("MT_RelaTime")->trigger();
        QCOMPARE(m_prompts->messages.size(), 1);
        QVERIFY(m_prompts->messages.front().text.startsWith(ReadFailureMessage + u'\n')); // and the file's name
        QCOMPARE(m_prompts->messages.front().title, ReadFailureTitle);
        QVERIFY(!errorLog().isEmpty());
        QCOMPARE(graphWindow(1)->Label3(0), "1");
        QVERIFY(main.command("MT_AbsTime")->isChecked());
    }

    // A switch of the time axis that the user cancels while the file is read again leaves the
    // slot, the axis, the plots and the check marks as they were, and tells and logs nothing. The
    // Escape that cancels goes no further: the zoom the graph waits for is still asked for.
    void aCancelledSwitchLeavesTheAxisAsItWas()
    {
        MainWindow main;
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QVERIFY(main.openFile(recording(150000)));
        GraphWindow& window = *graphWindow(1);
        main.button(10)->trigger(); // zoom in: a drag is to choose the range
        window.CWGraph1()->setFocus();
        QCOMPARE(QApplication::focusWidget(), window.CWGraph1());
        const TimePtr read = loadedData().slot(1).TraceData.TimeValue;
        const TrendAxis& time = window.CWGraph1()->axis(GraphAxis::Time);
        const double last = time.maximum();
        const QString logBefore = errorLog();
        const BusyCanceller canceller(*window.Frame1(), BusyCanceller::By::Escape);
        main.command("MT_RelaTime")->trigger();
        QVERIFY(canceller.cancelledAt() && *canceller.cancelledAt() < 1);
        QCOMPARE(loadedData().slot(1).TraceData.TimeValue, read);
        QCOMPARE(window.Label3(0), "1");
        QVERIFY(main.command("MT_AbsTime")->isChecked());
        QCOMPARE(time.maximum(), last);
        QCOMPARE(time.formatString(), "mm/dd hh:nn:ss");
        for (const auto& [plot, x] : plotTimes(*window.CWGraph1()))
            QVERIFY2(x == read, qPrintable(QString::number(plot)));
        QVERIFY(m_prompts->messages.isEmpty());
        QCOMPARE(errorLog(), logBefore);
        QCOMPARE(window.CWGraph1()->trackMode(), TrendGraph::TrackZoomX);
    }
};

QTEST_MAIN(TestViewCommands)
#include "tst_viewcommands.moc"
