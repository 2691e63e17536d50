# Installing and packaging Quorvel. Included once at the end of the top
# CMakeLists.txt, when every target exists.
#
# Two components:
#   Runtime      the demonstration, the content tools, the content the
#                demonstration loads (data/ and quorvel.conf) and the documents
#   Development  the static library, its headers (included as <quorvel/...>),
#                the CMake package (find_package(Quorvel), Quorvel::quorvel) and
#                quorvel.pc for pkg-config
#
# Nothing installed may name the source or the build directory: every path in
# the installed files is relative to the installation itself, so a prefix can
# be moved and a package can put it under /usr.

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# Programs under tools/ that serve the build and the tests rather than the
# users of an installation. Every other program of tools/ is installed.
set(QUORVEL_TOOLS_NOT_INSTALLED quorvel-close-window)

if(WIN32)
  # A Windows installation is a folder to unpack anywhere: the programs, their
  # content and the documents side by side at its top.
  set(QUORVEL_INSTALL_BINDIR .)
  set(QUORVEL_INSTALL_CONTENTDIR .)
  set(QUORVEL_INSTALL_DOCDIR .)
else()
  set(QUORVEL_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR})
  set(QUORVEL_INSTALL_CONTENTDIR ${CMAKE_INSTALL_DATADIR}/quorvel)
  set(QUORVEL_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/quorvel)
endif()
set(QUORVEL_INSTALL_LIBDIR ${CMAKE_INSTALL_LIBDIR})
set(QUORVEL_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR})
set(QUORVEL_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quorvel)

# A path below the installation as an absolute one, for working out relative
# paths between installed folders (the prefix itself cancels out).
function(quorvel_install_full_path out dir)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  else()
    set(${out} "/quorvel-prefix/${dir}" PARENT_SCOPE)
  endif()
endfunction()

# The demonstration finds the installed content from its own location: the
# content folder relative to the program folder, compiled into its lookup.
quorvel_install_full_path(full_bindir ${QUORVEL_INSTALL_BINDIR})
quorvel_install_full_path(full_contentdir ${QUORVEL_INSTALL_CONTENTDIR})
file(RELATIVE_PATH QUORVEL_CONTENT_FROM_BINDIR ${full_bindir} ${full_contentdir})
if(QUORVEL_CONTENT_FROM_BINDIR STREQUAL "")
  set(QUORVEL_CONTENT_FROM_BINDIR .)
endif()
set_property(SOURCE ${CMAKE_SOURCE_DIR}/demo/ContentLocation.cpp TARGET_DIRECTORY quorvel_demo
  APPEND PROPERTY COMPILE_DEFINITIONS QUORVEL_INSTALLED_CONTENT="${QUORVEL_CONTENT_FROM_BINDIR}")

# --- Development: library, headers, CMake package, pkg-config --------------

# Consumers include <quorvel/core/Application.h>; the engine's headers name
# each other by folder ("core/String.h"), so the quorvel folder is on the path
# too, and on systems other than Windows so is the Windows-API layer's
# windows.h that the platform headers include.
set(quorvel_include ${QUORVEL_INSTALL_INCLUDEDIR}/quorvel)
target_include_directories(quorvel INTERFACE
  $<INSTALL_INTERFACE:${QUORVEL_INSTALL_INCLUDEDIR}>
  $<INSTALL_INTERFACE:${quorvel_include}>)
if(NOT WIN32)
  target_include_directories(quorvel INTERFACE $<INSTALL_INTERFACE:${quorvel_include}/platform/winapi/include>)
endif()

install(TARGETS quorvel EXPORT QuorvelTargets
  ARCHIVE DESTINATION ${QUORVEL_INSTALL_LIBDIR} COMPONENT Development
  LIBRARY DESTINATION ${QUORVEL_INSTALL_LIBDIR} COMPONENT Development
  RUNTIME DESTINATION ${QUORVEL_INSTALL_BINDIR} COMPONENT Development)
# A stripped installation (cmake --install --strip, and the packages) strips
# the programs; the static library loses its debugging information (which
# names the build machine's source files) and keeps its symbols.
if(CMAKE_STRIP)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-debug
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QUORVEL_INSTALL_LIBDIR}/$<TARGET_FILE_NAME:quorvel>\")
    endif()" COMPONENT Development)
endif()

foreach(folder ${QUORVEL_FOLDERS})
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/${folder}/ DESTINATION ${quorvel_include}/${folder}
    COMPONENT Development FILES_MATCHING PATTERN "*.h")
endforeach()
file(GLOB platform_headers ${CMAKE_SOURCE_DIR}/platform/*.h)
install(FILES ${platform_headers} DESTINATION ${quorvel_include}/platform COMPONENT Development)
if(NOT WIN32)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/platform/winapi/include/ DESTINATION ${quorvel_include}/platform/winapi/include
    COMPONENT Development FILES_MATCHING PATTERN "*.h")
endif()

install(EXPORT QuorvelTargets NAMESPACE Quorvel:: FILE QuorvelTargets.cmake
  DESTINATION ${QUORVEL_INSTALL_CMAKEDIR} COMPONENT Development)
if(WIN32)
  set(QUORVEL_CONFIG_WINDOWS TRUE)
else()
  set(QUORVEL_CONFIG_WINDOWS FALSE)
endif()
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/QuorvelConfig.cmake.in
  ${CMAKE_BINARY_DIR}/QuorvelConfig.cmake INSTALL_DESTINATION ${QUORVEL_INSTALL_CMAKEDIR})
# 0.x releases may change the interface from one minor version to the next.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/QuorvelConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/QuorvelConfig.cmake ${CMAKE_BINARY_DIR}/QuorvelConfigVersion.cmake
  DESTINATION ${QUORVEL_INSTALL_CMAKEDIR} COMPONENT Development)

# quorvel.pc names its prefix relative to its own folder. The library is
# static, so the plain link line (without --static) carries everything it
# needs: the libraries it uses are required packages, not private ones.
quorvel_install_full_path(full_pcdir ${QUORVEL_INSTALL_LIBDIR}/pkgconfig)
file(RELATIVE_PATH QUORVEL_PC_PREFIX ${full_pcdir} /quorvel-prefix)
string(REGEX REPLACE "/$" "" QUORVEL_PC_PREFIX "${QUORVEL_PC_PREFIX}")
set(QUORVEL_PC_PREFIX "\${pcfiledir}/${QUORVEL_PC_PREFIX}")
foreach(kind LIBDIR INCLUDEDIR)
  if(IS_ABSOLUTE "${QUORVEL_INSTALL_${kind}}")
    set(QUORVEL_PC_${kind} "${QUORVEL_INSTALL_${kind}}")
  else()
    set(QUORVEL_PC_${kind} "\${prefix}/${QUORVEL_INSTALL_${kind}}")
  endif()
endforeach()
if(WIN32)
  set(QUORVEL_PC_REQUIRES "")
  set(QUORVEL_PC_CFLAGS "")
  set(QUORVEL_PC_LIBS "-lopengl32 -lglu32 -lgdi32 -lwinmm -luser32 -lkernel32")
else()
  set(QUORVEL_PC_REQUIRES "sdl2 gl glu x11")
  set(QUORVEL_PC_CFLAGS "-I\${includedir}/quorvel/platform/winapi/include")
  set(QUORVEL_PC_LIBS "-pthread")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/quorvel.pc.in ${CMAKE_BINARY_DIR}/quorvel.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/quorvel.pc DESTINATION ${QUORVEL_INSTALL_LIBDIR}/pkgconfig COMPONENT Development)

# --- Runtime: programs, content, documents ------------------------------------

set(quorvel_programs)
if(TARGET quorvel-demo)
  list(APPEND quorvel_programs quorvel-demo)
endif()
# Every program built under tools/, found from the folders themselves, so a
# new tool is installed without a change here.
get_property(top_folders DIRECTORY ${CMAKE_SOURCE_DIR} PROPERTY SUBDIRECTORIES)
if(${CMAKE_SOURCE_DIR}/tools IN_LIST top_folders)
  get_property(tool_folders DIRECTORY ${CMAKE_SOURCE_DIR}/tools PROPERTY SUBDIRECTORIES)
  foreach(folder ${tool_folders})
    get_property(folder_targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target ${folder_targets})
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "EXECUTABLE" AND NOT target IN_LIST QUORVEL_TOOLS_NOT_INSTALLED)
        list(APPEND quorvel_programs ${target})
      endif()
    endforeach()
  endforeach()
endif()
install(TARGETS ${quorvel_programs} RUNTIME DESTINATION ${QUORVEL_INSTALL_BINDIR} COMPONENT Runtime)

install(DIRECTORY ${CMAKE_SOURCE_DIR}/data DESTINATION ${QUORVEL_INSTALL_CONTENTDIR} COMPONENT Runtime)
install(FILES ${CMAKE_SOURCE_DIR}/quorvel.conf DESTINATION ${QUORVEL_INSTALL_CONTENTDIR} COMPONENT Runtime)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE
  DESTINATION ${QUORVEL_INSTALL_DOCDIR} COMPONENT Runtime)
# The README shows this picture.
install(FILES ${CMAKE_SOURCE_DIR}/docs/screenshot.png DESTINATION ${QUORVEL_INSTALL_DOCDIR}/docs COMPONENT Runtime)

# --- Packages -------------------------------------------------------------------
# Linux: `cpack -G DEB` makes quorvel (programs, content, documents; its
# library dependencies worked out by dpkg-shlibdeps) and quorvel-dev (library,
# headers, CMake and pkg-config files). Windows: `cpack -G ZIP` makes one
# folder with the programs, data/, quorvel.conf and the documents.

set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "Quorvel developers")
set(CPACK_PACKAGE_CONTACT "Quorvel developers <dev@quorvel.local>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Quorvel, a small real-time 3D engine")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${CMAKE_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENT_RUNTIME_DISPLAY_NAME "Quorvel demonstration and tools")
set(CPACK_COMPONENT_DEVELOPMENT_DISPLAY_NAME "Quorvel library and headers")

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_ALL Runtime)
  set(CPACK_ARCHIVE_RUNTIME_FILE_NAME quorvel-${PROJECT_VERSION}-win64)
  set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON) # one folder to unpack
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_COMPONENTS_ALL Runtime Development)
  set(CPACK_DEB_COMPONENT_INSTALL ON)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION games)
  set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME quorvel)
  set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
  # The libraries the programs link are found by dpkg-shlibdeps; SDL opens
  # libGL itself when it creates the OpenGL context, so that one is named here.
  set(CPACK_DEBIAN_RUNTIME_PACKAGE_DEPENDS "libgl1")
  set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "The quorvel-demo program is a first-person walk through a textured level
under a procedural cloudy sky. This package holds it, its content and the
engine's content tools.")
  set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME quorvel-dev)
  set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
  set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "libsdl2-dev, libgl-dev, libglu1-mesa-dev, libx11-dev")
  set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "The static engine library and its headers, for programs built on Quorvel
with CMake (find_package(Quorvel), target Quorvel::quorvel) or with
pkg-config (quorvel).")
endif()
include(CPack)
