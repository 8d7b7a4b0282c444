#include "rangecursors.h"

#include <algorithm>
#include <array>

namespace qor {

namespace {

std::int64_t steppedInset(std::int64_t visibleSeconds)
{
    struct Step {
        std::int64_t upTo;
        std::int64_t inset;
    };
    static constexpr std::array<Step, 7> steps = {{
        {180, 20},
        {600, 60},
        {3600, 5 * 60},
        {10800, 50 * 60},
        {21600, 3600},
        {43200, 2 * 3600},
        {86400, 5 * 3600},
    }};
    if (visibleSeconds >= 0) {
        for (const Step& step : steps) {
            if (visibleSeconds <= step.upTo)
                return step.inset;
        }
    }
    return 11 * 3600;
}

} // namespace

std::int64_t rangeCursorInsetSeconds(std::int64_t visibleSeconds)
{
    return std::min(steppedInset(visibleSeconds), std::max<std::int64_t>(0, visibleSeconds / 3));
}

} // namespace qor
