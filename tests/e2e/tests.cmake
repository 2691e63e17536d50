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
