# Optimised builds for packages keep their debug information in a file beside each shipped
# DLL (Ombrik63.dll.debug), not in the DLL: the DLL stays small, and a crash address from
# an installed copy still resolves to a source line with the file that was kept.
#
#   fw_separate_debug(<target>)
#     With FW_SEPARATE_DEBUG on, after each link: the debug sections go into
#     <file>.debug, the DLL is stripped and names that file in its .gnu_debuglink.
#     Call it in the directory that defines the target.
include_guard(GLOBAL)

option(FW_SEPARATE_DEBUG "Move the shipped DLLs' debug information into .debug files" OFF)

function(fw_separate_debug target)
  if(NOT FW_SEPARATE_DEBUG OR NOT MINGW)
    return()
  endif()
  set(objcopy ${FW_MINGW_TRIPLET}-objcopy)
  # The debug link records the debug file's name and CRC, so it is added from the
  # directory that holds the debug file.
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${objcopy} --only-keep-debug $<TARGET_FILE_NAME:${target}>
            $<TARGET_FILE_NAME:${target}>.debug
    COMMAND ${objcopy} --strip-all --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug
            $<TARGET_FILE_NAME:${target}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
