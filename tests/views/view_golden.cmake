# Runs one view script through mirovale-cli in its own folder and compares the picture it saved
# with the golden one, or rewrites the golden picture when UPDATE is on and the pixels differ.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(STRINGS ${SCRIPT} options REGEX "^#! ")
list(TRANSFORM options REPLACE "^#! +" "")
separate_arguments(options UNIX_COMMAND "${options}")
execute_process(
  COMMAND ${CLI} script ${SCRIPT} ${options}
  WORKING_DIRECTORY ${WORK}
  OUTPUT_QUIET
  RESULT_VARIABLE status
  ERROR_VARIABLE messages)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "mirovale-cli script ${SCRIPT} failed (${status}):\n${messages}")
endif()
set(picture ${WORK}/${SAVED})
execute_process(COMMAND ${COMPARE} ${picture} ${GOLDEN}
                RESULT_VARIABLE different OUTPUT_VARIABLE report ERROR_VARIABLE report)
if(NOT different)
  return()
endif()
if(UPDATE)
  file(COPY_FILE ${picture} ${GOLDEN})
  message(STATUS "rewrote ${GOLDEN}")
  return()
endif()
message(FATAL_ERROR "the picture of ${SCRIPT} differs from ${GOLDEN}: ${report}"
                    "the picture made is ${picture}")
