# Runs a Qt test program of the Windows build under Wine and prints its log: on Windows, Qt's test
# output goes to the debugger when the program has no console window, as one started from a pipe has
# not, so the log is written to a file instead. What Wine itself prints goes to a file too: a process
# the test leaves in the prefix (Wine's desktop process, a monitor's tool) inherits it and may outlive
# the test, which must not keep this script waiting for the end of a pipe.
#   cmake -DPROGRAM=test.exe -DLOG=file -DARGUMENTS=a;b -P RunUnderWine.cmake
file(REMOVE ${LOG} ${LOG}.wine)
execute_process(COMMAND wine ${PROGRAM} -o ${LOG},txt ${ARGUMENTS} RESULT_VARIABLE result
                OUTPUT_FILE ${LOG}.wine ERROR_FILE ${LOG}.wine)
foreach(file ${LOG}.wine ${LOG})
  if(EXISTS ${file})
    file(READ ${file} text)
    message("${text}")
  endif()
endforeach()
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} ended with ${result}")
endif()
