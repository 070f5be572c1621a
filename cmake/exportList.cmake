# Compares the export table of the built library with the checked-in list,
# or, with QEL_UPDATE_EXPORTS set in the environment, writes the list anew.
# Run as the CTest test exports_match_list; `make exports` updates the lists
# of both platforms.
#   cmake -DLIBRARY=<file> -DLIST=<file> -DPLATFORM=posix|win -DTOOL=<nm|objdump> -P exportList.cmake
# POSIX: the dynamic symbols the library defines, with their version node
# (nm -D). Windows: the names of the DLL's export directory (objdump -p).

if(PLATFORM STREQUAL "posix")
  execute_process(COMMAND ${TOOL} -D --defined-only ${LIBRARY}
    OUTPUT_VARIABLE table RESULT_VARIABLE failed)
  string(REGEX MATCHALL "[^\n]+" lines "${table}")
  list(TRANSFORM lines REPLACE "^[0-9a-f]+ [A-Za-z] " "")
else()
  execute_process(COMMAND ${TOOL} -p ${LIBRARY}
    OUTPUT_VARIABLE table RESULT_VARIABLE failed)
  # The rows under "[Ordinal/Name Pointer] Table": "[ n] name".
  string(REGEX REPLACE ".*\\[Ordinal/Name Pointer\\] Table[^\n]*\n" "" table "${table}")
  string(REGEX REPLACE "\n[ \t]*\n.*" "" table "${table}")
  string(REGEX MATCHALL "[^\n]+" lines "${table}")
  list(TRANSFORM lines REPLACE "^[ \t]*\\[[ 0-9]+\\][ \t]*" "")
endif()
if(failed)
  message(FATAL_ERROR "${TOOL} failed on ${LIBRARY}")
endif()
list(SORT lines)
list(REMOVE_DUPLICATES lines)
list(JOIN lines "\n" actual)
string(APPEND actual "\n")

if(DEFINED ENV{QEL_UPDATE_EXPORTS})
  file(WRITE ${LIST} "${actual}")
  list(LENGTH lines count)
  message(STATUS "${LIST}: ${count} exports")
  return()
endif()

file(READ ${LIST} expected)
if(NOT actual STREQUAL expected)
  string(REGEX MATCHALL "[^\n]+" wanted "${expected}")
  set(extra ${lines})
  list(REMOVE_ITEM extra ${wanted})
  set(missing ${wanted})
  list(REMOVE_ITEM missing ${lines})
  list(JOIN extra "\n  " extra)
  list(JOIN missing "\n  " missing)
  message(FATAL_ERROR "The exports of ${LIBRARY} differ from ${LIST}.\n"
    "Exported but not listed:\n  ${extra}\nListed but not exported:\n  ${missing}\n"
    "If the change is intended, `make exports` writes the lists anew.")
endif()
