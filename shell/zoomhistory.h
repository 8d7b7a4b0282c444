#pragma once

#include <array>
#include <optional>
#include <utility>

namespace qor {

// The zoom record of one slot: how deep the user has zoomed and the time-axis range of every depth,
// so that zooming out steps back through them.
class ZoomHistory {
  public:
    static constexpr int MaxDepth = 20;

    int depth() const { return m_depth; }

    // A completed zoom: one level deeper, remembering the new range. Beyond the deepest level the
    // oldest level is let go, so the history holds the newest MaxDepth levels and every zoom-out
    // goes back exactly one of them.
    void push(double minimum, double maximum);
    // One level back: the range of the new depth, or nullopt when that is the whole range (depth 0).
    std::optional<std::pair<double, double>> stepBack();
    void reset() { m_depth = 0; }

    // Seconds shown at once in absolute time, and the shown span as a date difference in relative
    // time; both kept for the slider that scrolls the zoomed range.
    double visibleSeconds = 0;
    double visibleSpan = 0;

  private:
    int m_depth = 0;
    std::array<std::pair<double, double>, MaxDepth> m_ranges{};
};

// The zoom record of each slot (1 to 3).
ZoomHistory& zoomHistory(int slot);

} // namespace qor
