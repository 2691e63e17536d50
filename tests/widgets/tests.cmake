# Included by tests/CMakeLists.txt after the test programs exist.

# The overlays on a 1920 x 1080 screen: a program of its own, on a screen of
# its own of that size (the other drawing tests share one of 1024 x 768).
add_executable(test_widgets_tall_gl ${CMAKE_CURRENT_LIST_DIR}/tall-screen/HudTallScreenGLTest.cpp)
target_link_libraries(test_widgets_tall_gl PRIVATE quorvel_test_support)
quorvel_warnings(test_widgets_tall_gl)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/testrun/widgets_tall_gl)
add_test(NAME test_widgets_tall_gl
  COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/xvfb.sh $<TARGET_FILE:test_widgets_tall_gl>
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/testrun/widgets_tall_gl)
set_tests_properties(test_widgets_tall_gl PROPERTIES LABELS "display;widgets" TIMEOUT 300 RESOURCE_LOCK display
  ENVIRONMENT "QUORVEL_XVFB_SCREEN=1920x1080x24")
