# Generates the sample project twice in a scratch directory and checks that the second run
# changes nothing but the generation time line, and nothing at all with a fixed time.
#   PROGRAM  the panolcd executable
#   PROJECT  the project file to copy
#   WORK     a scratch directory (emptied first)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(COPY ${PROJECT} DESTINATION ${WORK})
get_filename_component(name ${PROJECT} NAME_WE)
set(base ${WORK}/${name})

function(generate)
  execute_process(COMMAND ${PROGRAM} --generate ${base}.LCD
    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 60)
  if(NOT rc STREQUAL "0")
    message(FATAL_ERROR "--generate failed with ${rc}:\n${out}${err}")
  endif()
  if(NOT err STREQUAL "")
    message(FATAL_ERROR "--generate wrote to standard error:\n${err}")
  endif()
endfunction()

# The lines of a file with the generation time line left out (file(READ) may drop the CRs;
# the byte-exact comparisons below use compare_files).
function(read_without_time file var)
  file(READ ${file} text)
  string(REGEX REPLACE "  PanoLCD_GenTime = \"[^\"\r\n]*\";\r?\n" "" text "${text}")
  set(${var} "${text}" PARENT_SCOPE)
endfunction()

function(expect_same a b)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${a} ${b} RESULT_VARIABLE rc)
  if(NOT rc STREQUAL "0")
    message(FATAL_ERROR "${a} and ${b} differ")
  endif()
endfunction()

unset(ENV{SOURCE_DATE_EPOCH})
generate()
generate()
foreach(file ${base}.PRI ${base}.T10 ${base}.~RI ${base}.~10)
  if(NOT EXISTS ${file})
    message(FATAL_ERROR "${file} was not written")
  endif()
endforeach()
file(READ ${base}.PRI pri)
if(NOT pri MATCHES "\nconstant\r?\n  PanoLCD_GenTime = \"[^\"\r\n]+\";\r?\n")
  message(FATAL_ERROR "no generation time line in ${base}.PRI")
endif()
read_without_time(${base}.PRI second)
read_without_time(${base}.~RI first)
if(NOT first STREQUAL second)
  message(FATAL_ERROR "a second run changed ${base}.PRI beyond its time line")
endif()
expect_same(${base}.T10 ${base}.~10)

set(ENV{SOURCE_DATE_EPOCH} 0)
generate()
generate()
expect_same(${base}.PRI ${base}.~RI)
