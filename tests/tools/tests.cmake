# Tests of the content tools' own code: tests/tools/*Test.cpp, one program
# without a display, linked with the libraries the tools are made of.
if(TARGET quorvel_picture_reader)
  file(GLOB tool_tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*Test.cpp)
  add_executable(test_tools ${tool_tests})
  target_link_libraries(test_tools PRIVATE quorvel_test_support quorvel_picture_reader)
  quorvel_warnings(test_tools)
  set(workdir ${CMAKE_BINARY_DIR}/testrun/tools)
  file(MAKE_DIRECTORY ${workdir})
  gtest_discover_tests(test_tools WORKING_DIRECTORY ${workdir}
    DISCOVERY_MODE PRE_TEST PROPERTIES LABELS "unit;tools")
endif()
