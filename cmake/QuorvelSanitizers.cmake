# The hardening builds, both for clang:
#
#   -DQUORVEL_SANITIZE=ON  the engine, its tools, programs and tests with
#                          AddressSanitizer and UndefinedBehaviorSanitizer
#                          (Debug unless a build type is given, frame pointers
#                          kept for readable stacks). Every test runs with the
#                          sanitizer options and leak suppressions below.
#   -DQUORVEL_FUZZ=ON      the libFuzzer targets in fuzz/ (sanitized the same
#                          way; the engine library also gets the fuzzer's
#                          coverage instrumentation).
#
# Both may be switched on in one build directory: the fuzz targets' corpus
# replays then run next to the sanitized test suite. The normal build is not
# touched by anything in this file.

option(QUORVEL_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(QUORVEL_FUZZ "Build the libFuzzer targets in fuzz/ (needs clang)" OFF)

if(NOT QUORVEL_SANITIZE AND NOT QUORVEL_FUZZ)
  return()
endif()

if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "QUORVEL_SANITIZE and QUORVEL_FUZZ need clang: configure with "
                      "-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++")
endif()
if(CMAKE_CROSSCOMPILING)
  message(FATAL_ERROR "QUORVEL_SANITIZE and QUORVEL_FUZZ are for native builds")
endif()

if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE Debug)
endif()

# Every undefined behaviour stops the program at once, so a test cannot pass
# over it.
set(QUORVEL_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined)
add_compile_options(${QUORVEL_SANITIZER_FLAGS} -fno-omit-frame-pointer -fno-optimize-sibling-calls -g)
add_link_options(${QUORVEL_SANITIZER_FLAGS})

# Mesa's driver modules (swrast_dri, and libEGL_mesa when SDL draws without
# an X display) are loaded by the OpenGL libraries that SDL opens, and
# unloaded again when SDL shuts down, before the leak check runs at exit. The
# blocks they keep for themselves (once-only initialisation, driver tables)
# are then referenced only from unmapped memory and would show as leaks from
# "<unknown module>", a stack no suppression can name. Loaded at start
# (LD_PRELOAD), the modules stay mapped to the end and their memory stays
# reachable: nothing needs suppressing for them.
set(QUORVEL_SANITIZER_PRELOAD)
find_file(QUORVEL_MESA_DRIVER swrast_dri.so
  PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/dri /usr/lib64/dri /usr/lib/dri NO_DEFAULT_PATH)
find_file(QUORVEL_MESA_EGL libEGL_mesa.so.0
  PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE} /usr/lib64 /usr/lib NO_DEFAULT_PATH)
foreach(module QUORVEL_MESA_DRIVER QUORVEL_MESA_EGL)
  if(${module})
    list(APPEND QUORVEL_SANITIZER_PRELOAD ${${module}})
  else()
    message(WARNING "${module} not found: the sanitized tests may report Mesa's memory as leaked")
  endif()
endforeach()
string(REPLACE ";" ":" QUORVEL_SANITIZER_PRELOAD "${QUORVEL_SANITIZER_PRELOAD}")

# The run-time options of every test, set through CTest so that a plain
# `ctest` in this build directory behaves exactly as the test command does.
set(QUORVEL_LSAN_SUPPRESSIONS ${CMAKE_CURRENT_LIST_DIR}/sanitizers/lsan.supp)
set(QUORVEL_SANITIZER_ENVIRONMENT
  "ASAN_OPTIONS=detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1:detect_leaks=1"
  "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1"
  "LSAN_OPTIONS=suppressions=${QUORVEL_LSAN_SUPPRESSIONS}:print_suppressions=0"
  "LD_PRELOAD=${QUORVEL_SANITIZER_PRELOAD}")

# The same for programs started by hand or by scripts/fuzz.sh:
#   . build-sanitize/sanitizer-environment.sh
set(shell_environment "# Written by cmake/QuorvelSanitizers.cmake: the sanitizer options of the tests.\n")
foreach(setting ${QUORVEL_SANITIZER_ENVIRONMENT})
  string(REGEX REPLACE "^([A-Z_]+)=(.*)$" "export \\1='\\2'" line "${setting}")
  string(APPEND shell_environment "${line}\n")
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/sanitizer-environment.sh "${shell_environment}")

# Every test of the project gets this environment. CTest reads the test
# directories in the order they were added, and fuzz/ is added last (also
# when it builds nothing): once all directories are processed, a script is
# written that fuzz/'s test file includes first, when every other test is
# known. It names the tests added with add_test, and takes those that
# gtest_discover_tests finds only when CTest runs from the <program>_TESTS
# lists its generated files leave behind. fuzz/'s own tests set it directly.
function(quorvel_collect_tests directory result)
  get_property(tests DIRECTORY ${directory} PROPERTY TESTS)
  get_property(children DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
  foreach(child ${children})
    quorvel_collect_tests(${child} child_tests)
    list(APPEND tests ${child_tests})
  endforeach()
  set(${result} ${tests} PARENT_SCOPE)
endfunction()

function(quorvel_apply_sanitizer_environment)
  get_property(children DIRECTORY ${CMAKE_SOURCE_DIR} PROPERTY SUBDIRECTORIES)
  list(GET children -1 last)
  if(NOT last STREQUAL "${CMAKE_SOURCE_DIR}/fuzz")
    message(FATAL_ERROR "add_subdirectory(fuzz) must stay the last directory of the top CMakeLists.txt: "
                        "its tests file sets the sanitizer environment of every test before it (now last: ${last})")
  endif()
  quorvel_collect_tests(${CMAKE_SOURCE_DIR} all_tests)
  set(script "# Written by cmake/QuorvelSanitizers.cmake.\nset(quorvel_environment [==[${QUORVEL_SANITIZER_ENVIRONMENT}]==])\n")
  string(APPEND script "set(quorvel_tests)\n")
  foreach(test ${all_tests})
    string(APPEND script "list(APPEND quorvel_tests [==[${test}]==])\n")
  endforeach()
  string(APPEND script [==[
get_cmake_property(quorvel_variables VARIABLES)
foreach(variable ${quorvel_variables})
  if(variable MATCHES "_TESTS$")
    list(APPEND quorvel_tests ${${variable}})
  endif()
endforeach()
foreach(test ${quorvel_tests})
  set_tests_properties(${test} PROPERTIES ENVIRONMENT "${quorvel_environment}")
endforeach()
]==])
  set(file ${CMAKE_BINARY_DIR}/sanitizer-environment.cmake)
  file(WRITE ${file} "${script}")
  set_property(DIRECTORY ${CMAKE_SOURCE_DIR}/fuzz APPEND PROPERTY TEST_INCLUDE_FILES ${file})
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL quorvel_apply_sanitizer_environment)
