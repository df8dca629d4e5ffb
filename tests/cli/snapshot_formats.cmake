# Runs a script that saves one picture as PNG, BMP and PCX in a folder of its own; the BMP must
# read back with the PNG's pixels, and the PCX must be there.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CLI} script ${SCRIPT} WORKING_DIRECTORY ${WORK} OUTPUT_QUIET
                RESULT_VARIABLE status ERROR_VARIABLE messages)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "mirovale-cli script ${SCRIPT} failed (${status}):\n${messages}")
endif()
execute_process(COMMAND ${COMPARE} ${WORK}/window.BMP ${WORK}/window.png
                RESULT_VARIABLE different OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(different)
  message(FATAL_ERROR "the BMP differs from the PNG: ${report}")
endif()
if(NOT EXISTS ${WORK}/window.pcx)
  message(FATAL_ERROR "no PCX file was written")
endif()
