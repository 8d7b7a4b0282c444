#include "legendstate.h"

#include <stdexcept>

namespace qor {

namespace {

void check(int item, int slot)
{
    if (item < 1 || item > LegendState::ItemCount || slot < 1 || slot > 3)
        throw std::out_of_range("legend item or slot out of range");
}

} // namespace

bool LegendState::isOn(int item, int slot) const
{
    check(item, slot);
    return m_on[item - 1][slot - 1];
}

void LegendState::set(int item, int slot, bool on)
{
    check(item, slot);
    m_on[item - 1][slot - 1] = on;
}

} // namespace qor
