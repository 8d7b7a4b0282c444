#pragma once

#include "cursorcontroller.h"
#include "graphbusydisplay.h"

#include "data/rangemeasures.h"
#include "data/valuerange.h"
#include "shell/layoutscaler.h"
#include "shell/slotwindows.h"

#include <QWidget>

#include <array>

class QImage;
class QLabel;
class QProgressBar;
class QPushButton;

namespace qor {

class GraphLegend;
struct OpenedRecording;
class TimeSlider;
class TrendGraph;

// The trend graph window of slot 1 or 2 ("frmDataGraph_1", "frmDataGraph_2"): the graph control
// CWGraph1, the time slider CWSlide7, the legend, the three information lines Label4(0..2), the
// busy notice Frame1, the picture box PicPrint and its Exit button Command1, and the view-state
// codes Label3(0..5). Readers show their busy notice through busyDisplay(). The combined graph window of
// slot 3 is one with file controls of its own.
class GraphWindow : public QWidget, public GraphFormView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GraphWindow)

  public:
    // The reference size every control's geometry is laid out at.
    static constexpr double ReferenceWidth = 13995;
    static constexpr double ReferenceHeight = 10005;

    explicit GraphWindow(int slot, QWidget* parent = nullptr);
    ~GraphWindow() override;

    int slot() const { return m_slot; }
    QWidget* formWidget() override { return this; }
    QString caption() const override { return windowTitle(); }
    double shownFrom() const override;
    double shownTo() const override;
    void showSpan(double from, double to) override;
    QString infoLine(int line) const override;
    TrendGraph* CWGraph1() const { return m_graph; }
    TimeSlider* CWSlide7() const { return m_slider; }
    GraphLegend* legend() const { return m_legend; }
    QLabel* Label4(int line) const;
    QLabel* PicPrint() const { return m_picture; }
    QPushButton* Command1() const { return m_exitButton; }
    QWidget* Frame1() const { return m_busy; }
    CursorController& cursors() { return m_cursors; }
    const CursorController& cursors() const { return m_cursors; }

    // The view-state codes: 0 time axis ("1" absolute, "0" relative), 1 style ("1" dark), 2 line
    // width minus 1, 3 Y grid, 4 X grid, 5 the QOR1400 family's channel display. Changing codes 0
    // to 4 sets the main window's check marks at once.
    QString Label3(int index) const;
    void setLabel3(int index, const QString& code);
    // What the window shows, kept as values; the codes only display it.
    bool absoluteTime() const { return m_view.absoluteTime; }
    bool darkStyle() const { return m_view.dark; }
    void setDarkStyle(bool dark) { setLabel3(1, dark ? QStringLiteral("1") : QStringLiteral("0")); }
    int channelDisplayCode() const { return m_view.channelDisplay; }
    void setChannelDisplayCode(int code) { setLabel3(5, QString::number(code)); }

    // The rows of the statistics list, as the last Calculate found them.
    const std::vector<StatisticsRow>& rangeStatistics() const { return m_statistics; }

    // Where reads and exports show the window's busy notice.
    BusyDisplay& busyDisplay() { return m_busyDisplay; }

    // Before a file is shown: the settings in force, no channel legend, no cursors, no zoom, the
    // slider out of sight.
    void clearForFile();
    // The file of the slot: the legend and captions in the interface language, on its clock-time
    // axis. The channel legend shows the first `legendEntries` channel items.
    void showFile();
    void showChannelLegend(int legendEntries);
    // Makes the window's slot the current one and gives it the opened recording: its records drawn
    // (drawRecords), the channel display and the channel legend. showFile() then shows it.
    void takeRecording(OpenedRecording& opened);
    // Draws the slot's records as its read plan says: each plot of the plan with its column, plots 4
    // and 5 on the plan's axis, the time axis and the slider over the first to the last record.
    void drawRecords();
    // The time axis and the slider span `minimum` to `maximum` in the axis format of the time
    // base; the slider, which only scrolls a zoomed range, goes back to its start and out of sight.
    void showTimeBase(bool absolute, double minimum, double maximum);
    void hideCursors();

    // The relative length of the slot's recording (RelTimeValue), set by the time-axis commands.
    double relTimeValue() const { return m_relTimeValue; }
    void setRelTimeValue(double value) { m_relTimeValue = value; }

    // The whole recording on the time axis, without zoom or slider: clock times from the first to
    // the last record, or 0 to the recording's length on a relative axis.
    void showWholeRange();
    // A file shown anew: no zoom, the slider out of sight, the graph in its normal track mode and the
    // window's pointer the normal one.
    void showUnzoomed();

    // The load steps: layout, settings (colours, widths, range, style, grids) and legend state.
    // They run again when the window is shown after it was closed.
    virtual void load();
    bool isLoaded() const { return m_loaded; }
    // The activation steps; the main window calls them when the window becomes the active one.
    virtual void activate();

    void legendClicked(int item);
    virtual void RangeStatistics();
    // Ends the report view of a print preview, if any, and lets the main window's commands follow.
    virtual void RestoreGraphView();
    // The report view: the legend hidden and `page` in PicPrint over the graph area, with the Exit
    // button, on light grey; RestoreGraphView ends it.
    void showReportPage(const QImage& page);
    bool showsReportPage() const { return m_reportShown; }
    // A read or an export shows its busy notice on this window.
    bool isBusy() const { return m_busyDisplay.busy(); }
    // The main window's check marks of the time axis, style, line width and grids for this window's
    // view codes.
    void showViewCheckMarks();
    virtual void ApplyGraphStrings();
    // The legend's texts of the series, without values.
    virtual void showSeriesNames();
    // Plot colours and the process-value range of the settings (`plots`), and the axis colours.
    void applyPlotSettings();
    void applyAxisColors();
    // The background of the window, the legend and the slider for the style code.
    void applyBackground();

  protected:
    // The texts of the legend's header, cursor items and statistics button.
    void applyLegendStrings();
    // Ends the report view of a print preview: the legend back, PicPrint and its Exit button hidden,
    // the background of the style.
    void showGraphView();
    // Shows the statistics grid with its header row; when the range cursors stand in the wrong
    // order (`ordered` false) hides it and tells the user instead, and returns false.
    bool startRangeStatistics(bool ordered);
    // The statistics list holds `rows` rows, which writeStatisticsRow then fills.
    void setStatisticsRowCount(int rows);
    // Row `row` (from 1) of the statistics: kept, and shown in the grid as statisticsTexts gives it.
    void writeStatisticsRow(int row, StatisticsRow statistics);
    // The range's length in time and its record count (or counts) beside the statistics button, and
    // the grid fitted to what it lists.
    void finishRangeStatistics(std::int64_t seconds, const QString& records);

    void resizeEvent(QResizeEvent* event) override;
    // Follows the statistics list over the graph, so that the cursor labels keep clear of it.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void connectControls();
    void applyStyleFromSettings();
    void applyGrids();
    void syncCheckMarks(int index);
    QColor legendTextColor() const;

    int m_slot;
    TrendGraph* m_graph;
    TimeSlider* m_slider;
    GraphLegend* m_legend;
    std::array<QLabel*, 3> m_infoLines{};
    std::array<QLabel*, 6> m_codes{};
    QWidget* m_statusFrame;
    QWidget* m_busy;
    QLabel* m_busyText;
    QProgressBar* m_progress;
    QPushButton* m_busyCancel;
    QLabel* m_picture;
    QPushButton* m_exitButton;
    LayoutScaler m_scaler;
    CursorController m_cursors;
    GraphBusyDisplay m_busyDisplay;
    std::vector<StatisticsRow> m_statistics;
    double m_relTimeValue = 0;
    bool m_loaded = false;
    bool m_sizesSaved = false;
    bool m_reportShown = false;
    struct View {
        bool absoluteTime = true;
        bool dark = false;
        int channelDisplay = 0;
    } m_view;
};

// The graph window of a slot, or nullptr.
GraphWindow* graphWindow(int slot);

} // namespace qor
