# Runs a small simulation through mirovale-cli and compares its JSON with the golden file, or
# rewrites the golden file when UPDATE is on.
execute_process(
  COMMAND ${CLI} simulate --no-progress --series-type 1 --task joint --required 1,2,3
          --length 400 --pulses 4:5 --noise 0:3:60 --repeats 3 --json ${OUTPUT}
  RESULT_VARIABLE status
  ERROR_VARIABLE messages)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "mirovale-cli simulate failed (${status}):\n${messages}")
endif()
if(UPDATE)
  file(COPY_FILE ${OUTPUT} ${GOLDEN})
  message(STATUS "rewrote ${GOLDEN}")
  return()
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${GOLDEN}
                RESULT_VARIABLE different)
if(different)
  file(READ ${OUTPUT} got)
  message(FATAL_ERROR "the simulation's JSON differs from ${GOLDEN}:\n${got}")
endif()
