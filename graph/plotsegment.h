#pragma once

#include "data/tracecolumns.h"

namespace qor {

// A run of points of a plot: records [first, first + count) of a shared X and Y column pair, held by
// reference, never copied. `ascending` says whether the X values of the run never decrease, which
// lets the graph find records by binary search and reduce with the column's min/max levels.
struct PlotSegment {
    TimePtr x;
    ColumnPtr y;
    qsizetype first = 0;
    qsizetype count = 0;
    bool ascending = false;

    double xAt(qsizetype i) const { return (*x)[static_cast<std::size_t>(i)]; }
    qsizetype end() const { return first + count; }
};

} // namespace qor
