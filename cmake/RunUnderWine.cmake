# Runs a Qt test program of the Windows build under Wine and prints its log: on Windows, Qt's test
# output goes to the debugger when the program has no console window, as one started from a pipe has
# not, so the log is written to a file instead.
#   cmake -DPROGRAM=test.exe -DLOG=file -DARGUMENTS=a;b -P RunUnderWine.cmake
file(REMOVE ${LOG})
execute_process(COMMAND wine ${PROGRAM} -o ${LOG},txt ${ARGUMENTS} RESULT_VARIABLE result)
if(EXISTS ${LOG})
  file(READ ${LOG} log)
  message("${log}")
endif()
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} ended with ${result}")
endif()
