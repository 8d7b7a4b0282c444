#pragma once

#include "valuecolumn.h"

#include <array>
#include <memory>
#include <vector>

namespace qor {

// The quantities of a record in the order every file kind stores them; graph plot k shows column k.
enum class ColumnId { PV1 = 1, SP1, MV1, PV2, SP2, MV2, PV3, SP3, MV3 };
inline constexpr int ColumnCount = 9;

constexpr int columnNumber(ColumnId id)
{
    return static_cast<int>(id);
}

// Record times as date serials, shared like the value columns.
using TimeColumn = NumberArray;
using TimePtr = std::shared_ptr<const TimeColumn>;

// The data of one slot: the time of every record and the nine value columns.
struct TraceColumns {
    TimePtr TimeValue = std::make_shared<const TimeColumn>();
    std::array<ColumnPtr, ColumnCount> values = blankValues(0);

    const ColumnPtr& column(ColumnId id) const { return values[static_cast<std::size_t>(columnNumber(id) - 1)]; }
    ColumnPtr& column(ColumnId id) { return values[static_cast<std::size_t>(columnNumber(id) - 1)]; }

    static std::array<ColumnPtr, ColumnCount> blankValues(qsizetype size);
};

} // namespace qor
