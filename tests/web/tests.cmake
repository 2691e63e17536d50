# The page that runs Quorvel in a browser, tested in headless Chromium. The
# page is built with emscripten by scripts/web.sh (a test of its own, which
# the browser tests require); without emscripten that test fails and says so.
# One browser at a time (resource lock "chromium"). The sanitizer builds leave
# it to the normal build: it builds nothing of theirs.
if(NOT WIN32 AND NOT EMSCRIPTEN AND NOT QUORVEL_SANITIZE AND NOT QUORVEL_FUZZ)
  set(QUORVEL_WEB_BUILD_DIR "${CMAKE_SOURCE_DIR}/build-web" CACHE PATH
      "Where the tests build the web page (as scripts/web.sh does by default)")
  set(web_site "${QUORVEL_WEB_BUILD_DIR}/site")
  set(web_run "${CMAKE_BINARY_DIR}/testrun/web")
  file(MAKE_DIRECTORY ${web_run})

  add_test(NAME web_build COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/web.sh --build-only)
  set_tests_properties(web_build PROPERTIES LABELS "web" TIMEOUT 1800
    ENVIRONMENT "QUORVEL_WEB_BUILD=${QUORVEL_WEB_BUILD_DIR}" FIXTURES_SETUP quorvel_web_site)

  # scripts/web.sh's command line and a port in use, without building.
  add_test(NAME web_script COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/web-script-e2e.sh ${CMAKE_SOURCE_DIR})
  set_tests_properties(web_script PROPERTIES LABELS "web;e2e" TIMEOUT 120)

  # The page itself: loading, the picture, walking and turning, levels by
  # query and by drop, the timedemo line, the message without WebGL.
  add_test(NAME web_page
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/web-test.sh page_test.py ${web_site} ${CMAKE_SOURCE_DIR}
    WORKING_DIRECTORY ${web_run})
  set_tests_properties(web_page PROPERTIES LABELS "web;e2e" TIMEOUT 900
    FIXTURES_REQUIRED quorvel_web_site RESOURCE_LOCK chromium)

  # The page's timedemo frame against the desktop's, on the test command's display.
  if(TARGET quorvel-demo)
    add_test(NAME web_same_picture
      COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/web-test.sh picture_test.py ${web_site} ${CMAKE_SOURCE_DIR}
              $<TARGET_FILE:quorvel-demo>
      WORKING_DIRECTORY ${web_run})
    set_tests_properties(web_same_picture PROPERTIES LABELS "display;web;e2e" TIMEOUT 900
      FIXTURES_REQUIRED quorvel_web_site RESOURCE_LOCK "display;chromium")
  endif()
endif()
