#pragma once

#include "data/minmaxlevels.h"
#include "graphplot.h"

#include <QPolygonF>
#include <QRectF>

#include <vector>

namespace qor {

// Where plots are drawn: the plot area, the visible X range and how many device pixel columns the
// area has.
struct PlotMapping {
    QRectF area;
    double xMinimum = 0;
    double xMaximum = 1;
    int columns = 1;
};

// Turns the points of a plot into polylines to draw, with work bounded by the pixel width rather
// than the record count where the records are in time order: each pixel column becomes the minimum
// and maximum of its records, read from the Y column's min/max levels. Records out of time order are
// walked one by one, merging neighbours that fall in the same column, so the line still joins every
// record to the next. A record with no number breaks the line; a reduced column with no number at
// all does too, while a lone NaN among numbers in one pixel column is too narrow to show.
// Where a pixel column spans at least CoarseBlocksPerColumn blocks of some level, the column
// boundaries move to the nearest block boundary of the coarsest such level and the blocks are read
// in sequence: a record may then count in the neighbouring column, at most 1/32 of a column away,
// and every record still counts in exactly one column.
// The polylines are short runs (at most MaxRunPoints points), which the raster engine draws fast.
// One reducer serves all plots of one drawing, finding the column boundaries of a shared time
// column once.
class PlotReducer {
  public:
    explicit PlotReducer(const PlotMapping& mapping);

    // The polylines of `plot` drawn against a Y axis from `yMinimum` to `yMaximum`.
    std::vector<QPolygonF> runs(const GraphPlot& plot, double yMinimum, double yMaximum);
    // Builds, several columns at once, the min/max levels that runs() will read for `plots`.
    static void buildLevels(const std::vector<const GraphPlot*>& plots);

    static constexpr int MaxRunPoints = 256;
    // Up to this many records per pixel column the records themselves are walked, even in order.
    static constexpr int RecordsPerColumnWalked = 4;
    static constexpr int CoarseBlocksPerColumn = 32;

  private:
    // The first record of each pixel column of records [first, last) of a time column, and `last`.
    struct ColumnStarts {
        const TimeColumn* x;
        qsizetype first;
        qsizetype last;
        std::vector<qsizetype> starts;
    };

    const std::vector<qsizetype>& columnStarts(const PlotSegment& segment, qsizetype first, qsizetype last);
    void reduceOrdered(const PlotSegment& segment);
    void reduceColumns(const PlotSegment& segment, qsizetype first, qsizetype last);
    void walkRecords(const PlotSegment& segment, qsizetype first, qsizetype last);

    double columnOf(double x) const;
    double pixelX(double column) const;
    double pixelY(double value) const;

    void addRecord(double column, double value);
    void addReducedColumn(double column, const MinMax& extremes);
    void flushColumn();
    void emitPoint(double column, double value);
    void breakRun();

    PlotMapping m_mapping;
    double m_yMinimum = 0;
    double m_ySpan = 1;
    std::vector<ColumnStarts> m_columnStarts;
    std::vector<QPolygonF> m_runs;
    QPolygonF m_run;
    // The pixel column being merged: its first, smallest, largest and last value.
    bool m_columnOpen = false;
    double m_column = 0;
    double m_first = 0;
    MinMax m_extremes = MinMax::none();
    double m_last = 0;
};

} // namespace qor
