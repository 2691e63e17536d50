# Included by tests/CMakeLists.txt after the test programs exist.

# The engine installed into a temporary prefix and used from there: the
# starter project built against it and run, the installed demonstration run
# from an empty directory. (The sanitizer builds are never installed: these
# tests run in the normal build only.)
set(quorvel_installable NOT QUORVEL_SANITIZE AND NOT QUORVEL_FUZZ)
if(${quorvel_installable} AND TARGET quorvel-demo AND TARGET quorvel-close-window)
  add_test(NAME install_and_starter
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/install-run.sh
      ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR} $<TARGET_FILE:quorvel-close-window>)
  set_tests_properties(install_and_starter PROPERTIES LABELS "display;install" TIMEOUT 600 RESOURCE_LOCK display)
endif()

# The Debian packages made by CPack: contents, control data, and the
# demonstration run from a package unpacked into a temporary root.
find_program(QUORVEL_DPKG_DEB dpkg-deb)
if(${quorvel_installable} AND TARGET quorvel-demo AND TARGET quorvel-close-window AND QUORVEL_DPKG_DEB)
  add_test(NAME deb_package
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/deb-run.sh
      ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR} $<TARGET_FILE:quorvel-close-window> ${PROJECT_VERSION})
  set_tests_properties(deb_package PROPERTIES LABELS "display;install" TIMEOUT 600 RESOURCE_LOCK display)
endif()

# The Windows installation, the starter built against it and the Windows
# archive, run under Wine after the smoke run, in its build tree.
if(${quorvel_installable} AND NOT WIN32 AND TARGET quorvel-demo)
  find_program(QUORVEL_MINGW_CXX x86_64-w64-mingw32-g++-posix)
  find_program(QUORVEL_WINE wine)
  if(QUORVEL_MINGW_CXX AND QUORVEL_WINE)
    add_test(NAME windows_package
      COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/windows-package.sh ${CMAKE_BINARY_DIR}/windows-smoke)
    set_tests_properties(windows_package PROPERTIES LABELS "display;windows;install" TIMEOUT 1800
      RESOURCE_LOCK display)
    # Ordering only: it makes what it needs itself when run alone.
    set_tests_properties(windows_package PROPERTIES DEPENDS windows_smoke)
  endif()
endif()
