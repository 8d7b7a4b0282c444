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

// Runs `work(worker, item)` for every item of [0, count), each core taking the next item not yet
// taken, so that a core that runs slower than another (page faults can cost one core far more than
// the other) takes fewer items. Worker 0 is the calling thread. Once an item returns false or
// throws, no further item begins; the result and exceptions are those of runInParts.
bool runItems(std::int64_t count, const std::function<bool(int worker, std::int64_t item)>& work);

// How many items of at least `minItemSize` to cut `size` into for runItems: several per core, so
// that the cores come out even, and a single one when the work is small.
int itemCount(std::int64_t size, std::int64_t minItemSize);

} // namespace qor
