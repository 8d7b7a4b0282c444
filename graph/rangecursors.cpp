#include "rangecursors.h"

#include <array>

namespace qor {

std::int64_t rangeCursorInsetSeconds(std::int64_t visibleSeconds)
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

} // namespace qor
