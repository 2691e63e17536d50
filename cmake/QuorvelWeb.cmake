# The browser build (emcmake cmake ...): how a program on the engine becomes
# a page. quorvel_web_page(target) makes the target's output
# site/index.html with index.js, index.wasm and index.data beside it: the
# content (data/) and quorvel.conf packaged into the page's file system, the
# page's own shell and script, OpenGL 1.1 emulated on WebGL 1, and the main
# loop handing control to the browser at each buffer swap (ASYNCIFY).

set(QUORVEL_WEB_PAGE_DIR ${CMAKE_SOURCE_DIR}/platform/winapi/web)

target_link_options(quorvel INTERFACE
  -sLEGACY_GL_EMULATION=1
  -sMIN_WEBGL_VERSION=1 -sMAX_WEBGL_VERSION=1
  -sASYNCIFY=1 -sASYNCIFY_STACK_SIZE=131072
  "-sASYNCIFY_IMPORTS=['waitForAnimationFrame']"
  -sALLOW_MEMORY_GROWTH=1
  # Nothing of the program lies below 64 KiB, as on Windows, where such an
  # address is a resource number and not a pointer (IS_INTRESOURCE).
  -sGLOBAL_BASE=65536
  -sFORCE_FILESYSTEM=1
  -sENVIRONMENT=web)

function(quorvel_web_page target)
  set(site ${CMAKE_BINARY_DIR}/site)
  set_target_properties(${target} PROPERTIES OUTPUT_NAME index SUFFIX .html RUNTIME_OUTPUT_DIRECTORY ${site})
  set(shell ${QUORVEL_WEB_PAGE_DIR}/shell.html)
  set(script ${QUORVEL_WEB_PAGE_DIR}/page.js)
  target_link_options(${target} PRIVATE
    -sMINIFY_HTML=0
    "-sEXPORTED_FUNCTIONS=['_main','_quorvelWebDropFile']"
    "-sEXPORTED_RUNTIME_METHODS=['ccall','FS']"
    "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/data@/data"
    "SHELL:--preload-file ${CMAKE_SOURCE_DIR}/quorvel.conf@/quorvel.conf")
  if(EXISTS ${shell})
    target_link_options(${target} PRIVATE "SHELL:--shell-file ${shell}")
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${shell})
  endif()
  if(EXISTS ${script})
    target_link_options(${target} PRIVATE "SHELL:--pre-js ${script}")
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${script})
  endif()
  # The packaged content follows the files it is made from.
  file(GLOB_RECURSE content CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${content} ${CMAKE_SOURCE_DIR}/quorvel.conf)
endfunction()
