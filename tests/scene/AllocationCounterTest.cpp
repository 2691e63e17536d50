// The counting allocator itself: it must see what it is meant to catch, or
// the tests that rely on it would pass vacuously.

#include "AllocationCounter.h"

#include <gtest/gtest.h>

#include <memory>

TEST(AllocationCounterTest, CountsSingleAndArrayAllocations)
{
    const long before = SceneTest::allocationCount();
    std::unique_ptr<int> single(new int(1));
    std::unique_ptr<int[]> array(new int[16]);
    // Let the pointers escape so the compiler cannot drop the pairs of new and delete.
    asm volatile("" : : "r"(single.get()), "r"(array.get()) : "memory");
    EXPECT_EQ(before + 2, SceneTest::allocationCount());
}
