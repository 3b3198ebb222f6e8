# Shared part of the two mingw-w64 toolchain files; they set FW_MINGW_TRIPLET first.
set(CMAKE_C_COMPILER ${FW_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${FW_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${FW_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${FW_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Lets add_test(... COMMAND <target>) and custom commands run Windows programs under Wine.
get_filename_component(_fw_repo_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_fw_repo_root}/scripts/wine-run")
