# Every binary links the GCC runtime as DLLs: an exception thrown in framework.dll must be
# caught in a module or the host, and with one static runtime copy per binary (as on i686
# with dw2 unwinding) that ends in terminate(). So the runtime DLLs travel beside the
# binaries, and nobody may add -static-libgcc / -static-libstdc++.
if(NOT MINGW)
  return()
endif()

add_link_options(-shared-libgcc)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  set(_fw_gcc_dll libgcc_s_dw2-1.dll)
else()
  set(_fw_gcc_dll libgcc_s_seh-1.dll)
endif()

set(FW_RUNTIME_DLLS "")
foreach(_dll IN ITEMS ${_fw_gcc_dll} libstdc++-6.dll libwinpthread-1.dll)
  # The compiler knows where its own runtime lives; ask it rather than hard-coding the
  # GCC version directory.
  execute_process(
    COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${_dll}
    OUTPUT_VARIABLE _path
    OUTPUT_STRIP_TRAILING_WHITESPACE)
  get_filename_component(_path "${_path}" REALPATH)
  if(NOT EXISTS "${_path}" OR IS_DIRECTORY "${_path}")
    message(FATAL_ERROR "GCC runtime ${_dll} not found (compiler said '${_path}')")
  endif()
  list(APPEND FW_RUNTIME_DLLS "${_path}")
endforeach()

file(COPY ${FW_RUNTIME_DLLS} DESTINATION "${CMAKE_BINARY_DIR}/bin")
message(STATUS "GCC runtime DLLs copied to ${CMAKE_BINARY_DIR}/bin")
