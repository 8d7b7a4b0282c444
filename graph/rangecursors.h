#pragma once

#include <cstdint>

namespace qor {

// How far inside each end of the visible time range the range cursors are placed when they are
// switched on, chosen by the span shown (in whole seconds): 20 seconds for up to three minutes,
// then one, five and fifty minutes, one, two and five hours up to a day, and eleven hours beyond.
std::int64_t rangeCursorInsetSeconds(std::int64_t visibleSeconds);

} // namespace qor
