# Makes the ready database only where none exists; an existing file is left untouched.
if(EXISTS "${OUT}")
  message(STATUS "kelopz.mdb exists, left as it is: ${OUT}")
else()
  execute_process(COMMAND "${MKDB}" "${SQL}" "${OUT}" RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "could not make ${OUT}")
  endif()
endif()
