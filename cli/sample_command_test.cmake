# The sample command's road without a display: it ends with status 0 and its last line names the
# handheld file it made. Arguments: -DROAD=tools/sample-road.sh -DBIN=<folder of the programs>.
execute_process(COMMAND bash ${ROAD} ${BIN} RESULT_VARIABLE status OUTPUT_VARIABLE output
                ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "status ${status}\n${output}\n${errors}")
endif()
if(NOT output MATCHES "\nHandheld file: ([^\n]+/staff\\.fdb)\n$")
  message(FATAL_ERROR "the last line names no handheld file:\n${output}")
endif()
set(handheld_file ${CMAKE_MATCH_1})
file(SIZE ${handheld_file} size)
get_filename_component(work ${handheld_file} DIRECTORY)
file(REMOVE_RECURSE ${work})
if(size EQUAL 0)
  message(FATAL_ERROR "${handheld_file} is empty")
endif()
