# Run with -DTOOLS="name=path;..." (every tool the build made, see
# tests.cmake) and -DSCRATCH, a directory to run in. Each tool answers
# --help with its usage on standard output and exit code 0, and each wrong
# command line in the table below with its usage on standard error and exit
# code 2, writing nothing to standard output. A built tool missing from the
# table fails the test, so a new tool joins the table when it is added.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})

# Wrong command lines per tool, "|" between arguments, "-" for no arguments.
set(wrong_quorvel-chunkinfo "-" "one|two")
set(wrong_quorvel-close-window "-" "one|two")
set(wrong_quorvel-fontgen "-" "--no-such-option" "--size|0|out.glf" "a.glf|b.glf")
set(wrong_quorvel-gltconvert "-" "--no-such-option" "in.png" "in.png|out.glt|--wrap|sideways")
set(wrong_quorvel-levelgen "-" "--no-such-option" "--check" "--maze|2x2|--seed|1|out.lvl")
set(wrong_quorvel-ms3dgen "--no-such-option" "one|two")
set(wrong_quorvel-soundgen "--no-such-option" "no-such-sound" "--out")
set(wrong_quorvel-texgen "--no-such-option" "no-such-texture")

set(failures "")
foreach(entry ${TOOLS})
  string(REPLACE "=" ";" parts "${entry}")
  list(GET parts 0 name)
  list(GET parts 1 tool)
  if(NOT DEFINED wrong_${name})
    list(APPEND failures "${name}: no wrong command lines in the table")
    continue()
  endif()

  execute_process(COMMAND ${tool} --help WORKING_DIRECTORY ${SCRATCH}
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0 OR NOT out MATCHES "^usage: " OR NOT err STREQUAL "")
    list(APPEND failures "${name} --help: exit ${result}, stdout \"${out}\", stderr \"${err}\"")
  endif()

  foreach(line ${wrong_${name}})
    set(arguments "")
    if(NOT line STREQUAL "-")
      string(REPLACE "|" ";" arguments "${line}")
    endif()
    execute_process(COMMAND ${tool} ${arguments} WORKING_DIRECTORY ${SCRATCH}
      RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 2 OR NOT err MATCHES "usage: " OR NOT out STREQUAL "")
      list(APPEND failures "${name} ${line}: exit ${result}, stdout \"${out}\", stderr \"${err}\"")
    endif()
  endforeach()
endforeach()

# A wrong command line must not have made anything either.
file(GLOB made ${SCRATCH}/*)
if(made)
  list(APPEND failures "wrong command lines left files: ${made}")
endif()

if(failures)
  string(REPLACE ";" "\n  " text "${failures}")
  message(FATAL_ERROR "tool usage check failed:\n  ${text}")
endif()
list(LENGTH TOOLS count)
message(STATUS "all ${count} tools answer --help and wrong command lines alike")
