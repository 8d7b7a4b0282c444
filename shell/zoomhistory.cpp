#include "zoomhistory.h"

#include "programstate.h"

#include <algorithm>
#include <stdexcept>

namespace qor {

void ZoomHistory::push(double minimum, double maximum)
{
    if (m_depth < MaxDepth)
        ++m_depth;
    else
        std::rotate(m_ranges.begin(), m_ranges.begin() + 1, m_ranges.end());
    m_ranges[static_cast<std::size_t>(m_depth - 1)] = {minimum, maximum};
}

std::optional<std::pair<double, double>> ZoomHistory::stepBack()
{
    if (m_depth <= 1) {
        if (m_depth == 1)
            m_ranges[0] = {0, 0};
        m_depth = 0;
        return std::nullopt;
    }
    --m_depth;
    return m_ranges[static_cast<std::size_t>(m_depth - 1)];
}

ZoomHistory& zoomHistory(int slot)
{
    if (slot < 1 || slot > 3)
        throw std::out_of_range("file slot outside 1..3");
    return programState().zoom[static_cast<std::size_t>(slot - 1)];
}

} // namespace qor
