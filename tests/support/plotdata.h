#pragma once

#include "data/tracecolumns.h"

#include <QColor>
#include <QImage>

#include <functional>

// Columns and picture checks shared by the graph tests.
namespace plotdata {

// Date serial of 2024-05-01 00:00:00, where the test recordings start.
double startSerial();
// `count` records, one second apart from startSerial().
qor::TimePtr secondsFromStart(qsizetype count);
qor::ColumnPtr values(qsizetype count, const std::function<double(qsizetype)>& valueAt);
// How many pixels of `image` have exactly `color`, within the pixel rows [top, bottom) and columns
// [left, right) (device pixels; -1 for the edge of the image).
qsizetype countColor(const QImage& image, const QColor& color, int left = 0, int right = -1, int top = 0, int bottom = -1);

} // namespace plotdata
