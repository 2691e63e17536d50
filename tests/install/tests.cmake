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

# The Debian packages made by CPack: contents, control data, and the
# demonstration run from a package unpacked into a temporary root.
find_program(QUORVEL_DPKG_DEB dpkg-deb)
if(TARGET quorvel-demo AND TARGET quorvel-close-window AND QUORVEL_DPKG_DEB)
  add_test(NAME deb_package
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/deb-run.sh
      ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR} $<TARGET_FILE:quorvel-close-window> ${PROJECT_VERSION})
  set_tests_properties(deb_package PROPERTIES LABELS "display;install" TIMEOUT 600 RESOURCE_LOCK display)
endif()
