# Included by tests/CMakeLists.txt after the test programs exist.

# The engine installed into a temporary prefix and used from there: the
# starter project built against it and run, the installed demonstration run
# from an empty directory.
if(TARGET quorvel-demo AND TARGET quorvel-close-window)
  add_test(NAME install_and_starter
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/install-run.sh
      ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR} $<TARGET_FILE:quorvel-close-window>)
  set_tests_properties(install_and_starter PROPERTIES LABELS "display;install" TIMEOUT 600 RESOURCE_LOCK display)
endif()
