#pragma once

#include <QMdiSubWindow>
#include <QSize>

class QMdiArea;

namespace qor {

// The frame of a slot window. It leaves the maximised state when it is hidden or its window closes
// (closing the frame closes its window first): when another sub-window is activated after a
// maximised one, Qt's MDI area restores every maximised sub-window to its normal state, shown or
// not, and that shows a hidden one again, the empty window of a closed file among them.
class SlotSubWindow final : public QMdiSubWindow {
    Q_OBJECT

  public:
    using QMdiSubWindow::QMdiSubWindow;

    void conceal();
    // Shows the frame, in its normal state if it was minimised.
    void reveal();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void leaveMaximized();
};

// Gives a slot window's sub-window its design size (the size its layout is scaled from) whenever
// it shows in its normal state: restored from maximised, or shown after the maximised one closed.
// The frame stays within the MDI area.
void keepDesignSize(QMdiSubWindow& sub, QMdiArea& area, QSize design);

// Window > Cascade: the shown sub-windows in their normal state, each a title bar below and right of
// the one before, all of one size that leaves the last within the area (at least half of it), the
// active one in front.
void cascadeSubWindows(QMdiArea& area);

} // namespace qor
