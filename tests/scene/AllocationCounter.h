// Counts the allocations of a test program, for the tests of code that must
// not allocate while it runs (particle and physics ticks, the demonstration's
// frames). The program's global operator new is replaced in
// AllocationCounter.cpp, which each such program compiles in (tests.cmake).
#pragma once

namespace SceneTest {

// Allocations through operator new since the program started.
long allocationCount();

} // namespace SceneTest
