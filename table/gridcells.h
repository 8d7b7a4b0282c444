#pragma once

#include "data/datetime.h"
#include "data/tracecolumns.h"

#include <QHash>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>
#include <variant>
#include <vector>

namespace qor {

// The contents of a spreadsheet grid, without a window: rows 1 to MaxRows and columns 1 to
// MaxCols, row 0 and column 0 being the headers. A column shows an array it shares with the data
// set (a value column or a time column, never copied), and any cell may carry a text of its own that
// stands in front of the array. Rows are virtual: a cell's text is made when it is asked for.
class GridCells {
  public:
    using AmPmSource = std::function<datetime::AmPm()>;

    // The designators of the time texts are asked for whenever a time is shown, so that the texts
    // follow the interface language.
    explicit GridCells(AmPmSource amPm = {});

    int MaxRows() const { return m_maxRows; }
    int MaxCols() const { return m_maxCols; }
    // Cells beyond a shrunk count are forgotten.
    void setMaxRows(int rows);
    void setMaxCols(int cols);

    // Column `col` shows element i of the array in row `row` + i. A later array replaces the
    // column's earlier one and the texts set into the rows it covers.
    void SetArray(int col, int row, ColumnPtr values);
    void SetArray(int col, int row, TimePtr times);

    // A cell outside the grid reads "" and ignores what is written to it.
    QString GetText(int col, int row) const;
    void setText(int col, int row, const QString& text);
    // Whether the cell has a text of its own (headers without one show their default label).
    bool hasOwnText(int col, int row) const;

    // Fills cells from the top-left cell (column 0, row 0): a tab moves to the next cell, a carriage
    // return (with or without a line feed after it) to column 0 of the next row. Returns the last
    // column and row written (-1, -1 for nothing).
    std::pair<int, int> Clip(QStringView text);

    // The number the cell's text stands for; NaN when the text is no number.
    double number(int col, int row) const;

    // The time a time column shows in the row; nullopt for any other cell.
    std::optional<double> time(int col, int row) const;
    // The designators that the column's time texts use now; nullopt for a column without times.
    std::optional<datetime::AmPm> timeDesignators(int col) const;

    // The first row of first..last (both searched) whose text begins with `text`; -1 when none.
    int SearchCol(int col, int firstRow, int lastRow, QStringView text) const;

  private:
    struct Source {
        std::variant<std::monostate, ColumnPtr, TimePtr> data;
        int firstRow = 1;
        mutable std::optional<bool> inOrder; // times only: sorted ascending, found out when first searched
    };

    static quint64 key(int col, int row) { return (quint64(quint32(col)) << 32) | quint32(row); }
    bool contains(int col, int row) const;
    const Source* source(int col) const;
    void setSource(int col, int row, Source source, qsizetype size);
    void forgetTexts(int col, int firstRow, int lastRow);
    QString arrayText(const Source& source, int row) const;
    int searchTimes(const Source& source, int firstRow, int lastRow, QStringView text) const;
    int scanTexts(int col, int firstRow, int lastRow, QStringView text) const;

    AmPmSource m_amPm;
    int m_maxRows = 0;
    int m_maxCols = 0;
    std::vector<Source> m_sources = std::vector<Source>(1);           // index = column
    std::vector<bool> m_columnHasTexts = std::vector<bool>(1, false); // a cell of rows 1.. of the column has a text of its own
    QHash<quint64, QString> m_texts;
};

} // namespace qor
