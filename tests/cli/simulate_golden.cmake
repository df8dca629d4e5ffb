# Runs a small simulation through mirovale-cli and compares its JSON with the golden file, or
# rewrites the golden file when UPDATE is on. The times and the source revision differ from run
# to run and from build to build: they are normalised on both sides, not left out of the file.
execute_process(
  COMMAND ${CLI} simulate --no-progress --series-type 1 --task joint --required 1,2,3
          --length 400 --pulses 4:5 --noise 0:3:60 --repeats 3 --json ${OUTPUT}
  RESULT_VARIABLE status
  ERROR_VARIABLE messages)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "mirovale-cli simulate failed (${status}):\n${messages}")
endif()
file(READ ${OUTPUT} got)
string(REGEX REPLACE "\"(start|end)\": \"[0-9T:Z-]+\"" "\"\\1\": \"(time)\"" got "${got}")
string(REGEX REPLACE "\"elapsed\": [0-9.e+-]+" "\"elapsed\": \"(seconds)\"" got "${got}")
string(REGEX REPLACE ",\n *\"revision\": \"[^\"]*\"" "" got "${got}")
if(UPDATE)
  file(WRITE ${GOLDEN} "${got}")
  message(STATUS "rewrote ${GOLDEN}")
  return()
endif()
file(READ ${GOLDEN} expected)
if(NOT got STREQUAL expected)
  message(FATAL_ERROR "the simulation's JSON differs from ${GOLDEN}:\n${got}")
endif()
