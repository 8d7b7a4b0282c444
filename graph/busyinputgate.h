#pragma once

#include <QObject>

class QAbstractButton;

namespace qor {

// Lets user input reach only the Cancel button of a busy notice, for as long as it lives; Escape,
// wherever it is pressed, presses Cancel.
//
// A task that shows a cancellable notice runs inside the command that started it and keeps the
// window alive by processing events. Processing them without user input would hold back the click
// on Cancel too, and Qt cannot hold back the input of all widgets but one; processing them all
// would let any other click, key, shortcut, drop or window close start a second command, or close
// the window being read into, in the middle of the task. So the notice processes every event and
// this filter, installed on the application, swallows the input meant for anything else. Input
// given while the program is busy is dropped, not replayed after the task: a click on a busy
// window is not a command to run once it is done.
class BusyInputGate final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BusyInputGate)

  public:
    explicit BusyInputGate(QAbstractButton& cancel);
    ~BusyInputGate() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QAbstractButton& m_cancel;
};

} // namespace qor
