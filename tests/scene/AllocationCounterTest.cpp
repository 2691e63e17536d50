#include "AllocationCounter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

namespace {
std::atomic<long> allocations{0};
}

// The program-wide allocation functions, counting every request.
void* operator new(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(size > 0 ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size)
{
    return ::operator new(size);
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}

long SceneTest::allocationCount()
{
    return allocations.load(std::memory_order_relaxed);
}

// The counter must see what it is meant to catch, or the tests that rely on it
// would pass vacuously.
TEST(AllocationCounterTest, CountsSingleAndArrayAllocations)
{
    const long before = SceneTest::allocationCount();
    std::unique_ptr<int> single(new int(1));
    std::unique_ptr<int[]> array(new int[16]);
    // Let the pointers escape so the compiler cannot drop the pairs of new and delete.
    asm volatile("" : : "r"(single.get()), "r"(array.get()) : "memory");
    EXPECT_EQ(before + 2, SceneTest::allocationCount());
}
