# Checks that a simulated library's dynamic symbol table holds exactly the vendor's static
# functions (mangled, separated by commas) and, given a CONTROL_HEADER, the control interface
# declared in it.
#   cmake -DLIBRARY=<library> -DSTATIC_FUNCTIONS=<symbols> [-DCONTROL_HEADER=<control.h>]
#         -DNM=<nm> -P ...

execute_process(
  COMMAND ${NM} -D --defined-only --format=just-symbols ${LIBRARY}
  OUTPUT_VARIABLE exported
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REPLACE "\n" ";" exported "${exported}")
list(FILTER exported EXCLUDE REGEX "^$")
list(SORT exported)

set(declared "")
if(CONTROL_HEADER)
  file(READ ${CONTROL_HEADER} header)
  string(REGEX MATCHALL "quorvan_sim_[a-z_]+\\(" declared "${header}")
  list(TRANSFORM declared REPLACE "\\($" "")
  list(REMOVE_DUPLICATES declared)
endif()
string(REPLACE "," ";" static_functions "${STATIC_FUNCTIONS}")
set(expected ${static_functions} ${declared})
list(SORT expected)

if(NOT exported STREQUAL expected)
  message(FATAL_ERROR "exported symbols differ\n  exported: ${exported}\n  expected: ${expected}")
endif()
message(STATUS "exports: ${exported}")
