#pragma once

#include <cstdint>
#include <functional>

namespace qor {

// Splits [0, count) into one contiguous part per processor core (a single part when the work is
// small) and runs `work(part, first, size)` on each, part 0 on the calling thread, so that only the
// calling thread ever reports progress to a window. Returns false when any part returned false.
// An exception thrown by a part reaches the caller, after every part has finished.
bool runInParts(std::int64_t count, std::int64_t minPartSize,
                const std::function<bool(int part, std::int64_t first, std::int64_t size)>& work);

// The number of parts runInParts uses for `count` items.
int partCount(std::int64_t count, std::int64_t minPartSize);

} // namespace qor
