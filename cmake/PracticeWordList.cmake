# The word list of practice texts (slova.txt beside the program): the words of the program's own
# lesson and copy texts, the most common first, and other forms of those words from Debian's
# Czech hunspell dictionary (hunspell-cs), expanded with unmunch (hunspell-tools) and checked
# with hunspell. Without them the program builds and runs, and the practice button says that
# the list is missing.
find_program(UNMUNCH unmunch)
find_program(HUNSPELL hunspell)
find_package(Python3 COMPONENTS Interpreter)
set(KLAPTOS_HUNSPELL_DIC /usr/share/hunspell/cs_CZ.dic)
set(KLAPTOS_HUNSPELL_AFF /usr/share/hunspell/cs_CZ.aff)
set(KLAPTOS_WORD_LIST ${KLAPTOS_BIN_DIR}/slova.txt)
if(UNMUNCH AND HUNSPELL AND Python3_Interpreter_FOUND AND EXISTS ${KLAPTOS_HUNSPELL_DIC})
  set(word_list_script ${CMAKE_SOURCE_DIR}/tools/practice/make_word_list.py)
  set(lesson_sources_dir ${CMAKE_SOURCE_DIR}/tools/lessons)
  set(copy_text_sources_dir ${CMAKE_SOURCE_DIR}/tools/copytexts)
  file(GLOB vetted_texts CONFIGURE_DEPENDS ${lesson_sources_dir}/*.txt
       ${copy_text_sources_dir}/*.txt)
  add_custom_command(OUTPUT ${KLAPTOS_WORD_LIST}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${KLAPTOS_BIN_DIR}
    COMMAND ${Python3_EXECUTABLE} ${word_list_script} ${UNMUNCH} ${HUNSPELL} ${KLAPTOS_HUNSPELL_DIC}
            ${KLAPTOS_HUNSPELL_AFF} ${lesson_sources_dir} ${copy_text_sources_dir}
            ${KLAPTOS_WORD_LIST}
    DEPENDS ${word_list_script} ${KLAPTOS_HUNSPELL_DIC} ${KLAPTOS_HUNSPELL_AFF} ${vetted_texts}
    COMMENT "Ranking the words of the lessons and copy texts into the practice word list"
    VERBATIM)
  add_custom_target(klaptos_word_list ALL DEPENDS ${KLAPTOS_WORD_LIST})
  add_dependencies(klaptos_data klaptos_word_list)
else()
  message(WARNING "unmunch, hunspell, python3 or hunspell-cs missing: no practice word list")
  add_custom_target(klaptos_word_list)
endif()
if(TARGET klaptos_word_list AND UNMUNCH)
  install(FILES ${KLAPTOS_WORD_LIST} DESTINATION ${CMAKE_INSTALL_DATADIR}/klaptos OPTIONAL)
endif()
