#pragma once

#include "slottableform.h"

#include "data/recordermodel.h"

class QGroupBox;

namespace qor {

struct SlotData;
class SpreadGrid;

// The table window of slot 1 or 2 (frmDataDigital_1, frmDataDigital_2): every record of the slot's
// file in the record grid fpSpread1, and beside it, in the frame Frame1, the statistics grid
// fpSpread2 with the minimum and maximum of each quantity over the rows selected in fpSpread1.
// The window holds no data: it reads its slot of the data set and shares its columns.
class TableWindow final : public SlotTableForm {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TableWindow)

  public:
    // The size the controls are laid out at, in twips.
    static constexpr double ReferenceWidth = 14500;
    static constexpr double ReferenceHeight = 10155;

    explicit TableWindow(int slot, QWidget* parent = nullptr);

    SpreadGrid* fpSpread1() const { return m_records; }
    SpreadGrid* fpSpread2() const { return m_statistics; }
    QGroupBox* Frame1() const { return m_frame; }

    // What the window does when it is loaded with its slot's file: texts in the current language,
    // then, when the slot has a file, the records.
    void Load();
    // Lays out and fills the record grid for the slot's file; a model without a table layout keeps
    // the previous columns and only takes the new row count.
    void FillTable();
    // The caption, the frame caption and the headers of both grids in the current language.
    void ApplyTableStrings();
    // The slot's file was closed: the grids let go of its columns and the window is hidden.
    void Unload();

  private:
    void useFontOfTheDesignators();
    const SlotData& slotData() const;
    std::optional<models::TableLayout> layout() const;
    void fillColumns(const models::TableLayout& layout);
    void writeStatisticsHeaders(const models::TableLayout* layout);
    void showBlockStatistics(int col, int row, int col2, int row2);

    SpreadGrid* m_records;
    QGroupBox* m_frame;
    SpreadGrid* m_statistics;
};

// Applies the string table to the table window of slot 1 or 2 (TableForm(slot)), when there is one.
void ApplyTableStrings(int slot);

} // namespace qor
