# Run with -DSOUNDGEN, -DDATA and -DSCRATCH (see tests.cmake): the sounds in
# data/sounds are made by quorvel-soundgen; make them again and compare byte
# for byte, all together and each alone.
set(sounds step-left step-right bump wind)

file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH}/all ${SCRATCH}/alone)
execute_process(COMMAND ${SOUNDGEN} --out ${SCRATCH}/all RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "quorvel-soundgen failed: ${result}")
endif()

set(failures "")
foreach(name ${sounds})
  execute_process(COMMAND ${SOUNDGEN} --out ${SCRATCH}/alone ${name} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    list(APPEND failures "quorvel-soundgen ${name} failed: ${result}")
  endif()
  foreach(made all alone)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${DATA}/sounds/${name}.wav ${SCRATCH}/${made}/${name}.wav
      RESULT_VARIABLE differ)
    if(NOT differ EQUAL 0)
      list(APPEND failures "data/sounds/${name}.wav differs from the tool's output (${made})")
    endif()
  endforeach()
endforeach()

file(GLOB shipped RELATIVE ${DATA}/sounds ${DATA}/sounds/*)
list(LENGTH shipped count)
list(LENGTH sounds expected)
if(NOT count EQUAL expected)
  list(APPEND failures "data/sounds holds ${shipped}, the tool makes ${sounds}")
endif()

if(failures)
  string(REPLACE ";" "\n  " text "${failures}")
  message(FATAL_ERROR "sound check failed:\n  ${text}")
endif()
message(STATUS "all ${sounds} match")
