# The level tool: its mazes (a test program built with the tool's maze code),
# its commands run as a user would, and the sample levels in data/levels,
# regenerated and compared byte for byte.
if(TARGET quorvel-levelgen)
  find_library(LEVELGEN_STB_LIBRARY stb REQUIRED)
  add_executable(test_levelgen ${CMAKE_CURRENT_LIST_DIR}/LevelgenTest.cpp ${CMAKE_SOURCE_DIR}/tools/levelgen/Maze.cpp)
  target_link_libraries(test_levelgen PRIVATE quorvel_test_support ${LEVELGEN_STB_LIBRARY})
  target_compile_definitions(test_levelgen PRIVATE QUORVEL_LEVELGEN="$<TARGET_FILE:quorvel-levelgen>")
  add_dependencies(test_levelgen quorvel-levelgen)
  quorvel_warnings(test_levelgen)
  set(levelgen_workdir ${CMAKE_BINARY_DIR}/testrun/levelgen)
  file(MAKE_DIRECTORY ${levelgen_workdir})
  gtest_discover_tests(test_levelgen WORKING_DIRECTORY ${levelgen_workdir}
    DISCOVERY_MODE PRE_TEST PROPERTIES LABELS "unit;tools")

  add_test(NAME content_levels_match_generator
    COMMAND ${CMAKE_COMMAND}
      -DLEVELGEN=$<TARGET_FILE:quorvel-levelgen>
      -DDATA=${CMAKE_SOURCE_DIR}/data
      -DSCRATCH=${CMAKE_BINARY_DIR}/testrun/content_levels
      -P ${CMAKE_CURRENT_LIST_DIR}/CheckLevels.cmake)
  set_tests_properties(content_levels_match_generator PROPERTIES LABELS "unit;tools;content")
endif()

# quorvel-gltconvert's picture reading, without a display.
if(TARGET quorvel_picture_reader)
  add_executable(test_gltconvert ${CMAKE_CURRENT_LIST_DIR}/PictureReaderTest.cpp)
  target_link_libraries(test_gltconvert PRIVATE quorvel_test_support quorvel_picture_reader)
  quorvel_warnings(test_gltconvert)
  set(gltconvert_workdir ${CMAKE_BINARY_DIR}/testrun/gltconvert)
  file(MAKE_DIRECTORY ${gltconvert_workdir})
  gtest_discover_tests(test_gltconvert WORKING_DIRECTORY ${gltconvert_workdir}
    DISCOVERY_MODE PRE_TEST PROPERTIES LABELS "unit;tools")
endif()

# Every tool the build made: --help and wrong command lines.
set(usage_tools "")
file(GLOB tool_folders LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tools/*)
foreach(folder ${tool_folders})
  get_filename_component(name ${folder} NAME)
  if(TARGET quorvel-${name})
    list(APPEND usage_tools "quorvel-${name}=$<TARGET_FILE:quorvel-${name}>")
  endif()
endforeach()
if(usage_tools)
  add_test(NAME tools_usage
    COMMAND ${CMAKE_COMMAND} "-DTOOLS=${usage_tools}" -DSCRATCH=${CMAKE_BINARY_DIR}/testrun/tools_usage
      -P ${CMAKE_CURRENT_LIST_DIR}/ToolUsage.cmake)
  set_tests_properties(tools_usage PROPERTIES LABELS "unit;tools")
endif()

# The sound tool: data/sounds regenerated and compared byte for byte.
if(TARGET quorvel-soundgen)
  add_test(NAME content_sounds_match_generator
    COMMAND ${CMAKE_COMMAND}
      -DSOUNDGEN=$<TARGET_FILE:quorvel-soundgen>
      -DDATA=${CMAKE_SOURCE_DIR}/data
      -DSCRATCH=${CMAKE_BINARY_DIR}/testrun/content_sounds
      -P ${CMAKE_CURRENT_LIST_DIR}/CheckSounds.cmake)
  set_tests_properties(content_sounds_match_generator PROPERTIES LABELS "unit;tools;content")
endif()
