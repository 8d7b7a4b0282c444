#pragma once

#include <QSize>

class QMdiArea;
class QMdiSubWindow;

namespace qor {

// Gives a slot window's sub-window its design size (the size its layout is scaled from) whenever
// it shows in its normal state: restored from maximised, or shown after the maximised one closed.
// The frame stays within the MDI area.
void keepDesignSize(QMdiSubWindow& sub, QMdiArea& area, QSize design);

// Window > Cascade: the shown sub-windows in their normal state, each a title bar below and right of
// the one before, all of one size that leaves the last within the area (at least half of it), the
// active one in front.
void cascadeSubWindows(QMdiArea& area);

} // namespace qor
