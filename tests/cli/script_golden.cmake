# Runs one script through mirovale-cli and compares its output with the golden file, or rewrites
# the golden file when UPDATE is on.
execute_process(
  COMMAND ${CLI} script ${SCRIPT}
  OUTPUT_FILE ${OUTPUT}
  RESULT_VARIABLE status
  ERROR_VARIABLE messages)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "mirovale-cli script ${SCRIPT} failed (${status}):\n${messages}")
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
  message(FATAL_ERROR "the output of ${SCRIPT} differs from ${GOLDEN}:\n${got}")
endif()
