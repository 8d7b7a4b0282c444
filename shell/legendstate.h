#pragma once

namespace qor {

// The program-wide legend table: per slot (1 to 3) and legend item (1 to 11) whether the item is
// on. Items 1 to 9 are the plots, 10 the single cursor, 11 the range cursors. Each graph window
// reads and writes its own slot's column.
class LegendState {
  public:
    static constexpr int ItemCount = 11;
    static constexpr int SingleCursorItem = 10;
    static constexpr int RangeCursorsItem = 11;

    bool isOn(int item, int slot) const;
    void set(int item, int slot, bool on);

  private:
    bool m_on[ItemCount][3] = {};
};

LegendState& legendState();

} // namespace qor
