#pragma once

#include "busyinputgate.h"

#include "data/busynotice.h"

#include <QElapsedTimer>

#include <optional>

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace qor {

// The busy notice of a graph window while a file is read or written: a frame with a caption, a
// progress bar and, for a task that can be stopped, a Cancel button. It keeps the window repainting
// while a long read goes on.
class GraphBusyDisplay final : public BusyDisplay {
  public:
    struct Widgets {
        QWidget* frame;
        QLabel* caption;
        QProgressBar* progress;
        QPushButton* cancel;
    };

    explicit GraphBusyDisplay(Widgets busy);
    GraphBusyDisplay(const GraphBusyDisplay&) = delete;
    GraphBusyDisplay& operator=(const GraphBusyDisplay&) = delete;

    void showBusyNotice(int dots, Cancellable cancellable) override;
    bool setBusyProgress(double fraction) override;
    void hideBusyNotice() override;
    // A busy notice is shown: a read or an export is under way.
    bool busy() const { return m_shown; }

  private:
    void processPendingEvents();

    Widgets m_busy;
    QElapsedTimer m_lastRepaint;
    std::optional<BusyInputGate> m_inputGate; // while a cancellable notice is shown
    bool m_cancelled = false;
    bool m_shown = false;
};

} // namespace qor
