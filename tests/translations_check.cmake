# Fails when lupdate would change a .ts file, or when any of its entries is left untranslated, so
# a new Japanese text can never ship without its translation. Run by ctest (CMakeLists.txt).
# In: LUPDATE, OPTIONS (list), SOURCES_LIST (a file naming the sources, one a line), TS_FILES
# (list), WORK_DIR.
foreach(ts IN LISTS TS_FILES)
  get_filename_component(name "${ts}" NAME)
  set(copy "${WORK_DIR}/${name}")
  file(COPY_FILE "${ts}" "${copy}")
  execute_process(COMMAND "${LUPDATE}" ${OPTIONS} "@${SOURCES_LIST}" -ts "${copy}"
                  RESULT_VARIABLE failed ERROR_VARIABLE errors)
  if(failed)
    message(FATAL_ERROR "lupdate failed on ${name}: ${errors}")
  endif()
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${ts}" "${copy}" RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "${name} is not in step with the source texts: run "
                        "'cmake --build build --target update_translations', translate what it "
                        "adds, and commit the file")
  endif()
  # lupdate marks a new entry unfinished, and one whose text left the source vanished.
  file(READ "${ts}" content)
  if(content MATCHES "type=\"(unfinished|vanished|obsolete)\"|<translation></translation>|<translation/>")
    message(FATAL_ERROR "${name} has texts without a finished translation: translate them in Qt "
                        "Linguist (type=\"unfinished\" in the file)")
  endif()
endforeach()
