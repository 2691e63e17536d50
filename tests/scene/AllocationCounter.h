// Counts the allocations of the scene test program, for the tests of code
// that must not allocate while it runs (particle ticks, physics ticks). The
// program's global operator new is replaced in AllocationCounterTest.cpp.
#pragma once

namespace SceneTest {

// Allocations through operator new since the program started.
long allocationCount();

} // namespace SceneTest
