# Runs lupdate over the monitor's sources and forms into the .ts files, without source locations and
# without obsolete entries, so that a .ts file changes only when a text does.
#
#   cmake -DLUPDATE=... -DSOURCE_ROOT=... "-DSOURCE_DIRS=app;tray" "-DTS_FILES=a.ts;b.ts" -P UpdateTranslations.cmake
#
# With -DCHECK_DIR=folder the .ts files are left alone: copies in that folder are updated instead,
# and the run fails, showing the differences, when any copy no longer matches its original.

foreach(required LUPDATE SOURCE_ROOT SOURCE_DIRS TS_FILES)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "UpdateTranslations.cmake needs -D${required}=...")
  endif()
endforeach()

function(run_lupdate ts_files)
  execute_process(COMMAND ${LUPDATE} -silent -locations none -no-obsolete ${SOURCE_DIRS} -ts ${ts_files}
                  WORKING_DIRECTORY ${SOURCE_ROOT} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "lupdate failed (${result})")
  endif()
endfunction()

if(NOT DEFINED CHECK_DIR)
  run_lupdate("${TS_FILES}")
  return()
endif()

file(REMOVE_RECURSE ${CHECK_DIR})
file(MAKE_DIRECTORY ${CHECK_DIR})
set(copies)
foreach(ts IN LISTS TS_FILES)
  get_filename_component(name ${ts} NAME)
  configure_file(${ts} ${CHECK_DIR}/${name} COPYONLY)
  list(APPEND copies ${CHECK_DIR}/${name})
endforeach()
run_lupdate("${copies}")

find_program(DIFF diff)
set(stale)
foreach(ts IN LISTS TS_FILES)
  get_filename_component(name ${ts} NAME)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${ts} ${CHECK_DIR}/${name} RESULT_VARIABLE differs)
  if(differs)
    list(APPEND stale ${name})
    if(DIFF)
      execute_process(COMMAND ${DIFF} -u ${ts} ${CHECK_DIR}/${name})
    endif()
  endif()
endforeach()
if(stale)
  message(FATAL_ERROR "Not current with the sources: ${stale}. A text was added, changed or removed. Run "
                      "'cmake --build <build folder> --target update-translations', translate the new texts "
                      "and commit the .ts files.")
endif()
