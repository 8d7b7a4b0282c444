#pragma once

#include <QSize>

class QMdiArea;
class QMdiSubWindow;

namespace qor {

// Gives a slot window's sub-window its design size (the size its layout is scaled from) whenever
// it shows in its normal state: restored from maximised, or shown after the maximised one closed.
// The frame stays within the MDI area.
void keepDesignSize(QMdiSubWindow& sub, QMdiArea& area, QSize design);

} // namespace qor
