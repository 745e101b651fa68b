# Writes a delay-load import library for one Windows library: the functions
# of the toolchain's import library LIB, bound at their first call instead of
# when the program is loaded. Run with cmake -P and
#   -DNM=<nm> -DDLLTOOL=<dlltool> -DLIB=<import library> -DOUT=<library to write>
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND ${DLLTOOL} --identify ${LIB}
                OUTPUT_VARIABLE dll OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
if(failed OR dll STREQUAL "")
  message(FATAL_ERROR "${LIB}: no library name")
endif()
execute_process(COMMAND ${NM} -g --defined-only ${LIB}
                OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${LIB}: cannot list its symbols")
endif()
# Functions have a call stub (T) next to their import slot (I); data has only
# the slot and cannot be bound late, so it is left out.
string(REGEX MATCHALL "[^\n]* T [^\n]*" stubs "${symbols}")
string(REGEX MATCHALL "[^\n]* I __imp_[^\n]*" slots "${symbols}")
set(slotNames "")
foreach(line IN LISTS slots)
  string(REGEX REPLACE ".* I __imp_" "" name "${line}")
  list(APPEND slotNames "${name}")
endforeach()
set(def "LIBRARY \"${dll}\"\nEXPORTS\n")
foreach(line IN LISTS stubs)
  string(REGEX REPLACE ".* T " "" name "${line}")
  if(name IN_LIST slotNames)
    string(APPEND def "${name}\n")
  endif()
endforeach()
file(WRITE ${OUT}.def "${def}")
execute_process(COMMAND ${DLLTOOL} --input-def ${OUT}.def --dllname ${dll} --output-delaylib ${OUT}
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${LIB}: dlltool failed")
endif()
