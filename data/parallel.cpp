#include "parallel.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>
#include <vector>

namespace qor {

namespace {

constexpr std::int64_t ItemsPerCore = 8;

std::int64_t coreCount()
{
    return static_cast<std::int64_t>(std::max(1u, std::thread::hardware_concurrency()));
}

int piecesOf(std::int64_t size, std::int64_t minPieceSize, std::int64_t maxPieces)
{
    return static_cast<int>(std::clamp<std::int64_t>(size / std::max<std::int64_t>(minPieceSize, 1), 1, maxPieces));
}

} // namespace

int partCount(std::int64_t count, std::int64_t minPartSize)
{
    return piecesOf(count, minPartSize, coreCount());
}

int itemCount(std::int64_t size, std::int64_t minItemSize)
{
    return piecesOf(size, minItemSize, ItemsPerCore * coreCount());
}

bool runInParts(std::int64_t count, std::int64_t minPartSize,
                const std::function<bool(int part, std::int64_t first, std::int64_t size)>& work)
{
    const int parts = partCount(count, minPartSize);
    std::vector<char> succeeded(static_cast<std::size_t>(parts), 0);
    // An exception may not leave a thread (that would end the program): each part keeps its own and
    // the caller gets the first one once every part has finished.
    std::vector<std::exception_ptr> thrown(static_cast<std::size_t>(parts));
    auto runPart = [&](int part) {
        const std::int64_t first = count * part / parts;
        const std::int64_t last = count * (part + 1) / parts;
        try {
            succeeded[static_cast<std::size_t>(part)] = work(part, first, last - first) ? 1 : 0;
        } catch (...) {
            thrown[static_cast<std::size_t>(part)] = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (int part = 1; part < parts; ++part)
            helpers.emplace_back(runPart, part);
        runPart(0);
    } // joins
    for (const std::exception_ptr& exception : thrown) {
        if (exception)
            std::rethrow_exception(exception);
    }
    return std::all_of(succeeded.begin(), succeeded.end(), [](char ok) { return ok != 0; });
}

bool runItems(std::int64_t count, const std::function<bool(int worker, std::int64_t item)>& work)
{
    std::atomic<std::int64_t> next = 0;
    std::atomic<bool> stop = false;
    return runInParts(count, 1, [&](int worker, std::int64_t, std::int64_t) {
        for (std::int64_t item = 0; !stop.load(std::memory_order_relaxed) && (item = next++) < count;) {
            bool done = false;
            try {
                done = work(worker, item);
            } catch (...) {
                stop = true;
                throw;
            }
            if (!done) {
                stop = true;
                return false;
            }
        }
        return true;
    });
}

} // namespace qor
