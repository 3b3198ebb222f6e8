# What a host installs, and the packages that carry it (cpack, ZIP archives):
#   component module  Ombrik63.dll, framework.dll, the GCC runtime DLLs and the
#                     integrators' text -> Ombrik63-<version>-<arch>.zip
#   component debug   the DLLs' separate debug files -> Ombrik63-<version>-<arch>-debug.zip
#   component demo    <arch>/ with host.exe, the module, its DLLs and the stand-in
#                     ZekHelp.dll, and samples/ -> Ombrik63-demo-<version>.zip; scripts/package
#                     gives cpack both architectures' trees, so the demo holds both.
# The version is the one the version resource carries, so the two cannot disagree.
include_guard(GLOBAL)
if(NOT MINGW OR NOT TARGET Ombrik63)
  return()
endif()

file(STRINGS "${PROJECT_SOURCE_DIR}/module/Ombrik63.rc" _fw_version_line
     REGEX "VALUE \"FileVersion\"")
string(REGEX MATCH "[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+" FW_MODULE_VERSION "${_fw_version_line}")
if(NOT FW_MODULE_VERSION)
  message(FATAL_ERROR "no FileVersion in module/Ombrik63.rc")
endif()

# The toolchain's runtime DLLs come with their debug information (libstdc++ is mostly
# that); the packages get copies without it.
set(_fw_runtime ${FW_RUNTIME_DLLS})
if(FW_SEPARATE_DEBUG)
  set(_fw_runtime "")
  file(MAKE_DIRECTORY "${CMAKE_BINARY_DIR}/runtime")
  foreach(_dll IN LISTS FW_RUNTIME_DLLS)
    get_filename_component(_name "${_dll}" NAME)
    execute_process(COMMAND ${FW_MINGW_TRIPLET}-objcopy --strip-debug "${_dll}"
                            "${CMAKE_BINARY_DIR}/runtime/${_name}"
                    RESULT_VARIABLE _result)
    if(NOT _result EQUAL 0)
      message(FATAL_ERROR "cannot strip ${_dll}")
    endif()
    list(APPEND _fw_runtime "${CMAKE_BINARY_DIR}/runtime/${_name}")
  endforeach()
endif()
set(_fw_shipped $<TARGET_FILE:Ombrik63> $<TARGET_FILE:framework> ${_fw_runtime})

set(RUNTIME_LIST "")
set(_what "the GCC runtime that both import")
foreach(_dll IN LISTS FW_RUNTIME_DLLS)
  get_filename_component(_name "${_dll}" NAME)
  string(LENGTH "${_name}" _length)
  math(EXPR _pad "23 - ${_length}")
  string(REPEAT " " ${_pad} _spaces)
  if(_what)
    string(APPEND RUNTIME_LIST "  ${_name}${_spaces}${_what}\n")
  else()
    string(APPEND RUNTIME_LIST "  ${_name}\n")
  endif()
  set(_what "")
endforeach()
set(VERSION ${FW_MODULE_VERSION})
set(ARCH ${FW_ARCH})
set(TRIPLET ${FW_MINGW_TRIPLET})
configure_file("${PROJECT_SOURCE_DIR}/docs/INTEGRATION.txt"
               "${CMAKE_BINARY_DIR}/INTEGRATION.txt" @ONLY NEWLINE_STYLE CRLF)

install(FILES ${_fw_shipped} "${CMAKE_BINARY_DIR}/INTEGRATION.txt" DESTINATION .
        COMPONENT module)
if(FW_SEPARATE_DEBUG)
  install(FILES $<TARGET_FILE:Ombrik63>.debug $<TARGET_FILE:framework>.debug DESTINATION .
          COMPONENT debug)
endif()
install(FILES $<TARGET_FILE:host> $<TARGET_FILE:ZekHelp> ${_fw_shipped}
        DESTINATION ${FW_ARCH} COMPONENT demo)
# The read-only sample stays read-only.
install(DIRECTORY "${CMAKE_BINARY_DIR}/samples" DESTINATION . USE_SOURCE_PERMISSIONS
        COMPONENT demo)

set(CPACK_PACKAGE_NAME Ombrik63)
set(CPACK_PACKAGE_VENDOR "")
set(CPACK_PACKAGE_VERSION ${FW_MODULE_VERSION})
set(CPACK_PACKAGE_FILE_NAME Ombrik63-${FW_MODULE_VERSION}-${FW_ARCH})
set(CPACK_GENERATOR ZIP)
set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL module demo)
if(FW_SEPARATE_DEBUG)
  list(APPEND CPACK_COMPONENTS_ALL debug)
endif()
set(CPACK_ARCHIVE_MODULE_FILE_NAME Ombrik63-${FW_MODULE_VERSION}-${FW_ARCH})
set(CPACK_ARCHIVE_DEBUG_FILE_NAME Ombrik63-${FW_MODULE_VERSION}-${FW_ARCH}-debug)
set(CPACK_ARCHIVE_DEMO_FILE_NAME Ombrik63-demo-${FW_MODULE_VERSION})
set(CPACK_PACKAGE_CHECKSUM SHA256)
set(CPACK_PROJECT_CONFIG_FILE "${PROJECT_SOURCE_DIR}/cmake/CPackUtf8.cmake")
include(CPack)
