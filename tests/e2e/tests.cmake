# End-to-end runs of the real demonstration binary under the test command's
# Xvfb: it starts, draws, moves with injected keys and exits cleanly.
if(TARGET quorvel-demo AND TARGET quorvel-close-window)
  add_test(NAME demo_end_to_end
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/demo-e2e.sh
            $<TARGET_FILE:quorvel-demo> $<TARGET_FILE:quorvel-close-window> ${CMAKE_SOURCE_DIR})
  set_tests_properties(demo_end_to_end PROPERTIES LABELS "display;e2e" TIMEOUT 300 RESOURCE_LOCK display)
endif()

# The demonstration on screens of several sizes and in each screen mode, with
# focus loss, signals, a lost X server and the start-up failure messages. It
# starts its own Xvfb screens.
if(TARGET quorvel-demo AND TARGET quorvel-close-window)
  add_test(NAME screen_end_to_end
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/screen-e2e.sh $<TARGET_FILE:quorvel-demo>
            $<TARGET_FILE:quorvel-close-window> ${CMAKE_SOURCE_DIR})
  set_tests_properties(screen_end_to_end PROPERTIES LABELS "display;e2e" TIMEOUT 600 RESOURCE_LOCK display)
endif()

# The demonstration with level files: a generated maze, the samples, bad files.
if(TARGET quorvel-demo AND TARGET quorvel-close-window AND TARGET quorvel-levelgen)
  add_test(NAME demo_levels_end_to_end
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/level-e2e.sh
            $<TARGET_FILE:quorvel-demo> $<TARGET_FILE:quorvel-levelgen> $<TARGET_FILE:quorvel-close-window>
            ${CMAKE_SOURCE_DIR})
  set_tests_properties(demo_levels_end_to_end PROPERTIES LABELS "display;e2e" TIMEOUT 300 RESOURCE_LOCK display)
endif()

# The timedemo: its result line, its picture, both drawing orders, bad command lines.
if(TARGET quorvel-demo AND TARGET quorvel-close-window)
  add_test(NAME timedemo_end_to_end
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/timedemo-e2e.sh
            $<TARGET_FILE:quorvel-demo> $<TARGET_FILE:quorvel-close-window> ${CMAKE_SOURCE_DIR})
  set_tests_properties(timedemo_end_to_end PROPERTIES LABELS "display;e2e" TIMEOUT 300 RESOURCE_LOCK display)
endif()

# The two programs start-up is timed with: the demonstration up to its first
# frame and the bare window.
if(TARGET quorvel-demo AND TARGET quorvel-bare-window)
  add_test(NAME startup_end_to_end
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/startup-e2e.sh
            $<TARGET_FILE:quorvel-demo> $<TARGET_FILE:quorvel-bare-window> ${CMAKE_SOURCE_DIR})
  set_tests_properties(startup_end_to_end PROPERTIES LABELS "display;e2e" TIMEOUT 120 RESOURCE_LOCK display)
endif()

# The timedemo of the MinGW-w64 build under Wine.
if(NOT WIN32)
  find_program(QUORVEL_MINGW_CXX x86_64-w64-mingw32-g++-posix)
  find_program(QUORVEL_WINE wine)
  # The sanitizer builds leave it to the normal build: it builds nothing of theirs.
  if(NOT QUORVEL_SANITIZE AND NOT QUORVEL_FUZZ AND QUORVEL_MINGW_CXX AND QUORVEL_WINE)
    add_test(NAME timedemo_windows
      COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/timedemo-wine.sh ${CMAKE_BINARY_DIR}/windows-smoke)
    set_tests_properties(timedemo_windows PROPERTIES LABELS "display;windows" TIMEOUT 1800 RESOURCE_LOCK display)
  endif()
endif()

# The benchmarks and examples run from the repository's own folder change
# nothing of the user's or the repository's there.
# (The benchmarks' directory is added after this one, hence no TARGET test for them.)
if(QUORVEL_BUILD_BENCHMARKS AND TARGET quorvel-spine AND TARGET quorvel-scene-example)
  add_test(NAME clean_root_end_to_end
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/clean-root-e2e.sh ${CMAKE_SOURCE_DIR}
            $<TARGET_FILE:quorvel-bench> $<TARGET_FILE:quorvel-frame-bench>
            $<TARGET_FILE:quorvel-spine> $<TARGET_FILE:quorvel-scene-example>)
  set_tests_properties(clean_root_end_to_end PROPERTIES LABELS "display;e2e" TIMEOUT 300 RESOURCE_LOCK display)
endif()

# scripts/demo.sh keeps the user's settings and levels in its run directory.
add_test(NAME demo_run_directory COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/demo-run-dir-e2e.sh ${CMAKE_SOURCE_DIR})
set_tests_properties(demo_run_directory PROPERTIES LABELS "e2e" TIMEOUT 60)

# scripts/xvfb.sh run with a command (it starts its own screen) and the
# package groups of scripts/install-deps.sh.
add_test(NAME helper_scripts COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/scripts-e2e.sh ${CMAKE_SOURCE_DIR})
set_tests_properties(helper_scripts PROPERTIES LABELS "e2e" TIMEOUT 120)

# The start-up failure message box: wrapped to fit, ended by a signal.
if(TARGET quorvel-demo)
  add_test(NAME message_box_end_to_end
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/message-box-e2e.sh $<TARGET_FILE:quorvel-demo> ${CMAKE_SOURCE_DIR})
  set_tests_properties(message_box_end_to_end PROPERTIES LABELS "display;e2e" TIMEOUT 120 RESOURCE_LOCK display)
endif()

# The demonstration's sound recorded by SDL's disk audio driver: wind,
# footsteps, a bump, volume 0, sound disabled and no audio driver.
if(TARGET quorvel-demo AND TARGET quorvel-close-window)
  add_test(NAME sound_end_to_end
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/sound-e2e.sh
            $<TARGET_FILE:quorvel-demo> $<TARGET_FILE:quorvel-close-window> ${CMAKE_SOURCE_DIR})
  set_tests_properties(sound_end_to_end PROPERTIES LABELS "display;e2e" TIMEOUT 300 RESOURCE_LOCK display)
endif()
