#pragma once

#include "data/datetime.h"

#include <QString>

#include <functional>
#include <optional>

class QWidget;

namespace qor {

class GraphCursor;
class GraphLegend;
class LegendState;
class TimeSlider;
class ZoomHistory;
struct SlotData;
class TrendGraph;

// The cursors of a graph window: the single cursor whose record values are written into the
// legend, the pair of range cursors whose times are shown beside it, what follows a zoom drag
// (the zoom history and the slider that scrolls the zoomed range) and the Escape key.
class CursorController {
  public:
    struct Window {
        QWidget* window;
        TrendGraph* graph;
        TimeSlider* slider;
        GraphLegend* legend;
        int slot;
        std::function<bool()> absoluteTime;      // the time axis shows clock times
        std::function<int()> channelDisplayCode; // the QOR1400 family's channel display
        std::function<double()> relativeLength;  // RelTimeValue of the slot
        // The program-wide records the cursors read and keep: the slot's file, its zoom record,
        // the legend table, and the interface language's morning and afternoon designators.
        const SlotData& data;
        ZoomHistory& zoom;
        LegendState& legendTable;
        std::function<datetime::AmPm()> amPm;
        // Writes the values under the single cursor into the legend, for a window whose records
        // are not its slot's own; unset, the slot's file is read by its model's readout rows.
        std::function<void(const GraphCursor&)> readout = {};
        // Writes the series' names back into the legend once the single cursor is hidden.
        std::function<void()> seriesNames = {};
    };

    explicit CursorController(Window window);
    void setReadout(std::function<void(const GraphCursor&)> readout) { m_w.readout = std::move(readout); }
    void setSeriesNames(std::function<void()> names) { m_w.seriesNames = std::move(names); }

    void HideSingleCursor();
    void HideRangeCursors();
    void ShowSingleCursor();
    void ShowRangeCursors();

    void cursorMoved(int cursor, double y);
    void zoomCompleted();
    // Sets the slider for a zoom level that shows `minimum` to `maximum` (after a zoom in or out).
    void scrollOver(double minimum, double maximum);
    void sliderChanged(double value);
    void keyPressed(int key);
    // The readout of range cursor 2 ("1." and its time) or 3 ("2." and its time) where it stands.
    QString rangeReadout(int cursor) const;
    // With `zoom`, the time axis zooms in (steps > 0) or out around `x`, each step a level of the
    // zoom history; without, a zoomed range scrolls, later for steps < 0.
    void wheelTurned(int steps, double x, bool zoom);

  private:
    // The recording's whole time range on the axis shown, and the smallest span a zoom may show.
    std::pair<double, double> wholeRange() const;
    double smallestSpan() const;
    void showRange(double minimum, double maximum);
    void zoomNotch(bool in, double x);
    bool absoluteTime() const;
    QString axisTime(double x) const;
    void writeReadout(const GraphCursor& cursor);
    std::optional<QString> recordCaption(const GraphCursor& cursor) const;
    void showRangeReadouts();

    Window m_w;
};

} // namespace qor
