# Run by CPack on the files staged for the package: strips the executables
# as Debian's own packaging does, dropping the symbols and also the compiler's
# version notes (.comment, .note) that a plain strip leaves in.
file(GLOB staged_programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin/*")
if(NOT staged_programs)
  message(FATAL_ERROR "no programs staged in ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr/bin")
endif()
foreach(program IN LISTS staged_programs)
  execute_process(
    COMMAND strip --remove-section=.comment --remove-section=.note ${program}
    RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "strip failed on ${program}")
  endif()
endforeach()
