#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <optional>

class QWidget;

// Plays the user who stops a long task through its busy notice `frame` (a graph window's Frame1):
// once the notice is up and its progress bar has moved, does `meanwhile` (input that must reach
// nothing), then clicks the notice's Cancel button or presses Escape in the notice's window, which
// must be shown. Make it before the command that shows the notice; it acts while the task
// processes events.
class BusyCanceller final : public QObject {
  public:
    enum class By { Button, Escape };

    BusyCanceller(QWidget& frame, By by, std::function<void()> meanwhile = {});

    // How far the progress bar had come (0 to 1) when it cancelled; unset when it never did.
    std::optional<double> cancelledAt() const { return m_cancelledAt; }

  private:
    void poll();
    void cancel();

    QWidget& m_frame;
    By m_by;
    std::function<void()> m_meanwhile;
    QTimer m_poll;
    std::optional<double> m_cancelledAt;
};
