#pragma once

#include <atomic>

namespace qor {

// Whether a busy notice offers the user to stop the task (a Cancel button, and Escape).
enum class Cancellable { No, Yes };

// Where a long read or write shows that the program is busy: the busy notice of a window, shown
// with its label followed by `dots` full stops while a file is read or written. The task reports
// how far it has come (0 to 1) now and then and learns whether to go on: false once the user has
// asked a cancellable task to stop.
class BusyDisplay {
  public:
    virtual ~BusyDisplay() = default;
    virtual void showBusyNotice(int dots, Cancellable cancellable) = 0;
    virtual bool setBusyProgress(double fraction) = 0;
    virtual void hideBusyNotice() = 0;
};

// For work without a window: shows nothing and never cancels.
class NoBusyDisplay final : public BusyDisplay {
  public:
    void showBusyNotice(int, Cancellable) override {}
    bool setBusyProgress(double) override { return true; }
    void hideBusyNotice() override {}
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
    BusyNotice(BusyDisplay& display, int dots, Cancellable cancellable)
        : m_display(display)
    {
        m_display.showBusyNotice(dots, cancellable);
    }
    ~BusyNotice() { m_display.hideBusyNotice(); }
    BusyNotice(const BusyNotice&) = delete;
    BusyNotice& operator=(const BusyNotice&) = delete;

    // On the thread that made the notice only; false once the user has cancelled.
    [[nodiscard]] bool progress(double fraction)
    {
        if (!m_display.setBusyProgress(m_from + m_share * fraction))
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
    BusyDisplay& m_display;
    double m_from = 0;
    double m_share = 1;
    // Set by part 0 on the notice's thread, read by the parts on the others: no data is handed
    // over with it, so relaxed order is enough.
    std::atomic<bool> m_cancelled = false;
};

} // namespace qor
