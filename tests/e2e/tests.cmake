# End-to-end runs of the real demonstration binary under the test command's
# Xvfb: it starts, draws, moves with injected keys and exits cleanly.
if(TARGET quorvel-demo AND TARGET quorvel-close-window)
  add_test(NAME demo_end_to_end
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/demo-e2e.sh
            $<TARGET_FILE:quorvel-demo> $<TARGET_FILE:quorvel-close-window> ${CMAKE_SOURCE_DIR})
  set_tests_properties(demo_end_to_end PROPERTIES LABELS "display;e2e" TIMEOUT 300 RESOURCE_LOCK display)
endif()

# The timedemo: its result line, its picture, both drawing orders, bad command lines.
if(TARGET quorvel-demo AND TARGET quorvel-close-window)
  add_test(NAME timedemo_end_to_end
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/timedemo-e2e.sh
            $<TARGET_FILE:quorvel-demo> $<TARGET_FILE:quorvel-close-window> ${CMAKE_SOURCE_DIR})
  set_tests_properties(timedemo_end_to_end PROPERTIES LABELS "display;e2e" TIMEOUT 300 RESOURCE_LOCK display)
endif()
