#pragma once

#include "slottableform.h"

#include <array>

class QLabel;

namespace qor {

struct SlotData;
class SpreadGrid;

// The combined table window of slot 3 (frmDataDigital_3): one grid fpSpread1(k) per file of the
// combined view, with its path in Label1(k) above it. Each grid shows the time, process value, set
// point and output of every record of its file; the grids are not aligned by time. The combined
// graph window fills them, one file after another, as it reads the files through slot 3; each grid
// keeps its own reference to its file's columns.
class CombinedTableWindow final : public SlotTableForm {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CombinedTableWindow)

  public:
    static constexpr int Slot = 3;
    static constexpr double ReferenceWidth = 13995;
    static constexpr double ReferenceHeight = 10005;

    explicit CombinedTableWindow(QWidget* parent = nullptr);

    SpreadGrid* fpSpread1(int file) const { return m_grids.at(static_cast<std::size_t>(file)); }
    QLabel* Label1(int file) const { return m_labels.at(static_cast<std::size_t>(file)); }

    // The caption with the current slot's path, the file paths of the combined graph window and the
    // header rows, over grids without records.
    void Load();
    // Grid `file` (0 to 2) shows the records that slot 3 holds now.
    void fillFile(int file, const SlotData& slot);
    // The grids let go of their files' columns and the window is hidden.
    void Unload();

  private:
    void clearGrid(SpreadGrid& grid);

    std::array<SpreadGrid*, 3> m_grids{};
    std::array<QLabel*, 3> m_labels{};
};

} // namespace qor
