#include "AllocationCount.hpp"

#include <cstdlib>
#include <new>

namespace bench {
namespace {

// Set and cleared by the benchmark's game run; read after it.
struct AllocationState {
    std::uint64_t counted = 0;
};
AllocationState state;
constinit thread_local bool countingHere = false;

void* allocate(std::size_t size)
{
    if (countingHere)
        ++state.counted;
    for (;;) {
        if (void* p = std::malloc(size == 0 ? 1 : size))
            return p;
        const std::new_handler handler = std::get_new_handler();
        if (!handler)
            throw std::bad_alloc();
        handler();
    }
}

void* allocateAligned(std::size_t size, std::align_val_t alignment)
{
    if (countingHere)
        ++state.counted;
    const auto align = static_cast<std::size_t>(alignment);
    // aligned_alloc wants a size that is a multiple of the alignment.
    const std::size_t rounded = (size + align - 1) / align * align;
    for (;;) {
        if (void* p = std::aligned_alloc(align, rounded == 0 ? align : rounded))
            return p;
        const std::new_handler handler = std::get_new_handler();
        if (!handler)
            throw std::bad_alloc();
        handler();
    }
}

} // namespace

void startCountingAllocations()
{
    state.counted = 0;
    countingHere = true;
}

void stopCountingAllocations() { countingHere = false; }

std::uint64_t allocationsCounted() { return state.counted; }

} // namespace bench

void* operator new(std::size_t size) { return bench::allocate(size); }
void* operator new[](std::size_t size) { return bench::allocate(size); }
void* operator new(std::size_t size, std::align_val_t alignment) { return bench::allocateAligned(size, alignment); }
void* operator new[](std::size_t size, std::align_val_t alignment)
{
    return bench::allocateAligned(size, alignment);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return bench::allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return bench::allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
