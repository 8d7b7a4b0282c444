#pragma once

#include <cstddef>
#include <cstdlib>
#include <new>
#include <utility>
#include <vector>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace qor {

// Allocator for the large arrays of recorded data. New elements are left uninitialised, since the
// readers write every element anyway, and big blocks are aligned to huge pages and, on Linux,
// marked for transparent huge pages: filling hundreds of megabytes then costs a page fault every
// 2 MiB instead of every 4 KiB, which on virtual machines is most of a read's time.
template <typename T> class BulkAllocator {
  public:
    using value_type = T;

    BulkAllocator() = default;
    template <typename U> BulkAllocator(const BulkAllocator<U>&) noexcept {}

    T* allocate(std::size_t n)
    {
        if (!isBulk(n))
            return static_cast<T*>(::operator new(n * sizeof(T)));
        void* p = std::aligned_alloc(HugePage, roundedSize(n));
        if (!p)
            throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
        madvise(p, roundedSize(n), MADV_HUGEPAGE);
#endif
        return static_cast<T*>(p);
    }

    void deallocate(T* p, std::size_t n) noexcept
    {
        if (isBulk(n))
            std::free(p);
        else
            ::operator delete(p);
    }

    template <typename U> void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args> void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    friend bool operator==(const BulkAllocator&, const BulkAllocator&)
    {
        return true;
    }

  private:
    static constexpr std::size_t HugePage = std::size_t{2} << 20;

    static bool isBulk(std::size_t n)
    {
        return n * sizeof(T) >= 2 * HugePage;
    }
    static std::size_t roundedSize(std::size_t n)
    {
        return (n * sizeof(T) + HugePage - 1) / HugePage * HugePage;
    }
};

// An array of numbers as the readers fill them.
using NumberArray = std::vector<double, BulkAllocator<double>>;

} // namespace qor
