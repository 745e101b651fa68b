# Runs PROGRAM (a list: the command and its arguments) and fails unless it
# ends with the exit code EXPECTED.
execute_process(COMMAND ${PROGRAM} RESULT_VARIABLE code)
if(NOT code EQUAL EXPECTED)
  message(FATAL_ERROR "exit code ${code}, expected ${EXPECTED}")
endif()
