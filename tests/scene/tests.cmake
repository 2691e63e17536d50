# Included by tests/CMakeLists.txt after the test programs exist.

# The counting allocator replaces operator new in the programs whose tests
# check that code allocates nothing.
foreach(target test_scene test_demo_gl)
  if(TARGET ${target})
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_LIST_DIR}/AllocationCounter.cpp)
  endif()
endforeach()

# The scene example end to end on the test command's display.
if(TARGET quorvel-scene-example)
  add_test(NAME scene_example_end_to_end
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/scene/scene-example-run.sh
      $<TARGET_FILE:quorvel-scene-example> ${CMAKE_SOURCE_DIR}/data ${CMAKE_BINARY_DIR}/testrun/scene_example)
  set_tests_properties(scene_example_end_to_end PROPERTIES LABELS "display;scene" TIMEOUT 120 RESOURCE_LOCK display)
endif()
