# Runs RUNNER (may be empty) PROGRAM ARGUMENT and fails unless the program
# ends with 0 and its standard output, with CR LF read as LF, is the content
# of EXPECTED:
#   cmake -DRUNNER=... -DPROGRAM=... -DARGUMENT=... -DEXPECTED=... -P run_and_compare.cmake
execute_process(COMMAND ${RUNNER} ${PROGRAM} ${ARGUMENT}
  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE result)
string(REPLACE "\r\n" "\n" output "${output}")
file(READ ${EXPECTED} expected)
if(NOT result EQUAL 0 OR NOT output STREQUAL expected)
  message(FATAL_ERROR "${PROGRAM} ended with ${result}\n"
    "--- standard output\n${output}--- expected\n${expected}--- standard error\n${errors}")
endif()
