# Import libraries that load their DLL at the first call instead of at start,
# so that the program can restrict the DLL search to the system folder before
# any of them is looked for. Made from the toolchain's own import library:
# every function it exports, with dlltool's --output-delaylib.
function(ds_delay_import name dll)
  set(implib "${CMAKE_FIND_ROOT_PATH}/lib/lib${name}.a")
  set(def "${CMAKE_BINARY_DIR}/delayload/${name}.def")
  set(lib "${CMAKE_BINARY_DIR}/delayload/lib${name}_delay.a")
  string(REGEX REPLACE "g\\+\\+(-posix)?$" "nm" nm "${CMAKE_CXX_COMPILER}")
  string(REGEX REPLACE "g\\+\\+(-posix)?$" "dlltool" dlltool "${CMAKE_CXX_COMPILER}")
  execute_process(COMMAND ${nm} --defined-only "${implib}" OUTPUT_VARIABLE symbols
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "cannot read ${implib}")
  endif()
  string(REGEX MATCHALL "[^\n]* T [^\n]*" lines "${symbols}")
  set(exports "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE ".* T " "" symbol "${line}")
    if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
      string(REGEX REPLACE "^_" "" symbol "${symbol}")  # keep the @N of stdcall
    endif()
    string(APPEND exports "  ${symbol}\n")
  endforeach()
  file(WRITE "${def}" "LIBRARY ${dll}\nEXPORTS\n${exports}")
  set(kill_at "")
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    set(kill_at --kill-at)
  endif()
  add_custom_command(OUTPUT "${lib}"
    COMMAND ${dlltool} --input-def "${def}" --dllname ${dll} ${kill_at} --output-delaylib "${lib}"
    DEPENDS "${def}" VERBATIM)
  add_custom_target(${name}_delay_lib DEPENDS "${lib}")
  add_library(${name}_delay STATIC IMPORTED GLOBAL)
  set_target_properties(${name}_delay PROPERTIES IMPORTED_LOCATION "${lib}")
  add_dependencies(${name}_delay ${name}_delay_lib)
endfunction()
