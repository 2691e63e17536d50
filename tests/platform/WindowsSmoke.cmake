# The Windows build must not rot and must really run: scripts/windows-smoke.sh
# cross-builds the engine and the spine program with MinGW-w64 and runs the
# .exe under Wine on the test command's display.
if(NOT WIN32)
  find_program(QUORVEL_MINGW_CXX x86_64-w64-mingw32-g++-posix)
  find_program(QUORVEL_WINE wine)
  # The sanitizer builds leave it to the normal build: it builds nothing of theirs.
  if(NOT QUORVEL_SANITIZE AND NOT QUORVEL_FUZZ AND QUORVEL_MINGW_CXX AND QUORVEL_WINE AND EXISTS ${CMAKE_SOURCE_DIR}/examples/spine/CMakeLists.txt)
    add_test(NAME windows_smoke
      COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/windows-smoke.sh ${CMAKE_BINARY_DIR}/windows-smoke)
    set_tests_properties(windows_smoke PROPERTIES LABELS "display;windows" TIMEOUT 1800 RESOURCE_LOCK display)
  endif()
endif()

# The demonstration itself under Wine: picture, walking, focus loss, close.
if(NOT WIN32 AND NOT QUORVEL_SANITIZE AND NOT QUORVEL_FUZZ AND QUORVEL_MINGW_CXX AND QUORVEL_WINE
   AND EXISTS ${CMAKE_SOURCE_DIR}/demo/CMakeLists.txt)
  add_test(NAME windows_demo_smoke
    COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/windows-demo-smoke.sh ${CMAKE_BINARY_DIR}/windows-smoke)
  set_tests_properties(windows_demo_smoke PROPERTIES LABELS "display;windows" TIMEOUT 1800 RESOURCE_LOCK display)
endif()
