# Included by tests/CMakeLists.txt after the test programs exist.

# The platform classes and the test engine include <windows.h>, which on other
# systems is our own layer.
if(NOT WIN32)
  foreach(target quorvel_test_support test_platform test_platform_gl)
    if(TARGET ${target})
      target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR}/platform/winapi/include)
    endif()
  endforeach()
endif()

# The spine program end to end on the test command's display.
if(TARGET quorvel-spine AND TARGET quorvel-close-window)
  add_test(NAME spine_end_to_end
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/platform/spine-run.sh
      $<TARGET_FILE:quorvel-spine> $<TARGET_FILE:quorvel-close-window> ${CMAKE_BINARY_DIR}/testrun/spine)
  set_tests_properties(spine_end_to_end PROPERTIES LABELS "display;platform" TIMEOUT 120 RESOURCE_LOCK display)
endif()

# The Windows cross-build and its run under Wine.
include(${CMAKE_CURRENT_LIST_DIR}/WindowsSmoke.cmake)

# The desktop's own message box is driven through Xlib by its test.
if(TARGET test_platform_gl AND NOT WIN32 AND NOT EMSCRIPTEN)
  target_link_libraries(test_platform_gl PRIVATE X11::X11)
endif()
