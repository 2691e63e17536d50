# Run with -DLEVELGEN, -DDATA and -DSCRATCH (see tests.cmake). The commands
# here are the ones that made data/levels; README lists them too.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})

set(commands
  "builtin.lvl|--built-in"
  "maze32.lvl|--maze|32x32|--seed|32"
  "maze128.lvl|--maze|128x128|--seed|148")

set(failures "")
foreach(entry ${commands})
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 name)
  list(REMOVE_AT parts 0)
  execute_process(COMMAND ${LEVELGEN} ${parts} ${SCRATCH}/${name} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    list(APPEND failures "quorvel-levelgen failed to make ${name}: ${result}")
    continue()
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${DATA}/levels/${name} ${SCRATCH}/${name}
    RESULT_VARIABLE differ)
  if(NOT differ EQUAL 0)
    list(APPEND failures "data/levels/${name} differs from the tool's output")
  endif()
endforeach()

if(failures)
  string(REPLACE ";" "\n  " text "${failures}")
  message(FATAL_ERROR "level check failed:\n  ${text}")
endif()
message(STATUS "all sample levels match")
