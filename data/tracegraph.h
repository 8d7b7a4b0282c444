#pragma once

#include "tracecolumns.h"

#include <atomic>

namespace qor {

// The axes of a trend graph.
enum class GraphAxis { Time = 1, Output = 2, Temperature = 3 };

// Whether a busy notice offers the user to stop the task (a Cancel button, and Escape).
enum class Cancellable { No, Yes };

// What a reader needs of the graph it draws into: the trend graph control of the slot's window and
// that window's time slider and busy notice. The graph window implements it; tests record the calls.
class TraceGraph {
  public:
    virtual ~TraceGraph() = default;

    // Removes the points of every plot.
    virtual void clearData() = 0;
    // The number of points a plot keeps.
    virtual void setChartLength(qint32 length) = 0;
    // Sets both ends of an axis in one call.
    virtual void setAxisMinMax(GraphAxis axis, double minimum, double maximum) = 0;
    // Plot `plot` (1..9) shows exactly the points of the two columns, which have equal length.
    virtual void plotXvsY(int plot, const TimePtr& x, const ColumnPtr& y) = 0;
    // Appends the points of the two columns to plot `plot`.
    virtual void chartXvsY(int plot, const TimePtr& x, const ColumnPtr& y) = 0;
    virtual void setPlotYAxis(int plot, GraphAxis axis) = 0;
    // The range the window's time slider scrolls over.
    virtual void setSliderRange(double minimum, double maximum) = 0;

    // The busy notice of the window: shown, with its label followed by `dots` full stops, while a
    // file is read or written; the task reports how far it has come (0 to 1) now and then and learns
    // whether to go on: false once the user has asked a cancellable task to stop.
    virtual void showBusyNotice(int dots, Cancellable cancellable) = 0;
    virtual bool setBusyProgress(double fraction) = 0;
    virtual void hideBusyNotice() = 0;
};

// The dots of the busy notice: 36 while a binary recording is read or an export written, 35 while
// CSV files are read.
inline constexpr int BinaryBusyDots = 36;
inline constexpr int CsvBusyDots = 35;

// Shows the busy notice for as long as it lives, so that every way out of a reader hides it. A task
// that runs in parts on several threads (runInParts) reports progress from part 0, on the thread
// that made the notice; every part stops once the user has cancelled.
class BusyNotice {
  public:
    BusyNotice(TraceGraph& graph, int dots, Cancellable cancellable)
        : m_graph(graph)
    {
        m_graph.showBusyNotice(dots, cancellable);
    }
    ~BusyNotice() { m_graph.hideBusyNotice(); }
    BusyNotice(const BusyNotice&) = delete;
    BusyNotice& operator=(const BusyNotice&) = delete;

    // On the thread that made the notice only; false once the user has cancelled.
    [[nodiscard]] bool progress(double fraction)
    {
        if (!m_graph.setBusyProgress(m_from + m_share * fraction))
            m_cancelled.store(true, std::memory_order_relaxed);
        return !cancelled();
    }
    // Part `part` of a task run by runInParts: part 0 reports its progress, the others only learn
    // whether to go on.
    [[nodiscard]] bool progressOfPart(int part, double fraction) { return part == 0 ? progress(fraction) : !cancelled(); }
    // Whether the user has cancelled; any thread may ask.
    bool cancelled() const { return m_cancelled.load(std::memory_order_relaxed); }

    // For a task of several reads: the progress reports that follow fill the stretch `from` to
    // `from + share` of the notice's bar.
    void setStretch(double from, double share)
    {
        m_from = from;
        m_share = share;
    }

  private:
    TraceGraph& m_graph;
    double m_from = 0;
    double m_share = 1;
    // Set by part 0 on the notice's thread, read by the parts on the others: no data is handed
    // over with it, so relaxed order is enough.
    std::atomic<bool> m_cancelled = false;
};

} // namespace qor
