#pragma once

#include <cstdint>

namespace qor {

// How far inside each end of the visible time range the range cursors are placed when they are
// switched on, chosen by the span shown (in whole seconds): 20 seconds for up to three minutes,
// then one, five and fifty minutes, one, two and five hours up to a day, and eleven hours beyond;
// but never more than a third of the span, so that the start cursor always stands before the end
// cursor with a third of the span between them (fifty minutes would cross them below 100 minutes).
std::int64_t rangeCursorInsetSeconds(std::int64_t visibleSeconds);

} // namespace qor
