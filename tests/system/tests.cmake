# Included by tests/CMakeLists.txt after the test programs exist.

# The sound mixer's tests check that mixing allocates nothing: the program
# counts its allocations with the scene tests' counting allocator.
if(TARGET test_system)
  target_sources(test_system PRIVATE ${CMAKE_CURRENT_LIST_DIR}/../scene/AllocationCounter.cpp)
endif()
