#include "tracecolumns.h"

namespace qor {

std::array<ColumnPtr, ColumnCount> TraceColumns::blankValues(qsizetype size)
{
    const auto blank = std::make_shared<const BlankColumn>(size);
    std::array<ColumnPtr, ColumnCount> out;
    out.fill(blank);
    return out;
}

} // namespace qor
