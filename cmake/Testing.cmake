# Test registration for all three presets.
#
#   fw_add_test(<target> [NAME <test-name>] [ARGS <arg>...] [TIMEOUT <seconds>]
#               [LABELS <label>...] [TIP_WINDOW] [REAL_INPUT])
#     Registers an already defined test executable as ONE ctest test (no per-case
#     discovery: each Wine process start costs about a second). Under mingw it runs as
#     `scripts/wine-run <exe> <args>` in the bin directory; natively it runs directly.
#     TIP_WINDOW: the program opens tip windows, so it writes the suite's settings in the
#     shared registry of the one Wine prefix and counts save notices that reach every
#     window there; such programs never run at the same time as each other.
#     REAL_INPUT: the program moves the real pointer or sends real keys, which go to
#     whatever window is under the pointer or has the focus on the one virtual display;
#     such a program runs alone, since any other program's window that opens there can
#     take the click or the keys.
#
#   fw_add_script_test(<test-name> COMMAND <cmd> [<arg>...] [WORKING_DIRECTORY <dir>]
#                      [TIMEOUT <seconds>] [LABELS <label>...])
#     Registers a shell/python-driven test. Under mingw the command runs inside the Wine
#     environment (prefix, display, WINEDEBUG) set up by `scripts/wine-run --exec`.
#     Either way it sees these environment variables:
#       FW_BIN_DIR   the directory with all binaries
#       FW_WINE_RUN  path of scripts/wine-run (run a Windows exe: "$FW_WINE_RUN" x.exe)
#       FW_ARCH      x86_64, i686 or native
#       FW_OBJDUMP   the objdump that reads this build's binaries
#     Generator expressions such as $<TARGET_FILE:tgt> work in the command.
#
# FW_ARCH is also set as a CMake variable. The i686 tests are the same whether the kernel runs
# 32-bit programs itself or hands them to qemu-i386 (scripts/setup).

include_guard(GLOBAL)

get_filename_component(FW_REPO_ROOT "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(FW_WINE_RUN "${FW_REPO_ROOT}/scripts/wine-run")
set(FW_BIN_DIR "${CMAKE_BINARY_DIR}/bin")

if(MINGW)
  set(FW_ARCH "${CMAKE_SYSTEM_PROCESSOR}")
  set(FW_OBJDUMP "${FW_MINGW_TRIPLET}-objdump")
else()
  set(FW_ARCH native)
  set(FW_OBJDUMP objdump)
endif()

# Tests always get a private virtual display: windows must not pop up on a developer's
# desktop, and a window manager there would change frame sizes that tests measure.
set(_fw_test_env
    "FW_BIN_DIR=${FW_BIN_DIR}"
    "FW_WINE_RUN=${FW_WINE_RUN}"
    "FW_ARCH=${FW_ARCH}"
    "FW_OBJDUMP=${FW_OBJDUMP}"
    "OMBRIK_FORCE_XVFB=1"
    "GTEST_COLOR=no")

function(_fw_set_test_properties name timeout labels)
  if(NOT timeout)
    set(timeout 1500)
  endif()
  set_tests_properties(${name} PROPERTIES
    TIMEOUT ${timeout}
    LABELS "${FW_ARCH};${labels}"
    ENVIRONMENT "${_fw_test_env}")
  if(MINGW)
    # Wine's debugger prints the backtrace of a crash and then ends the program,
    # sometimes with exit code 0; the line that announces it still fails the test.
    set_tests_properties(${name} PROPERTIES
      FAIL_REGULAR_EXPRESSION "wine: Unhandled [^\n]*starting debugger")
  endif()
endfunction()

function(fw_add_test target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "TIP_WINDOW;REAL_INPUT" "NAME;TIMEOUT" "ARGS;LABELS")
  if(arg_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "fw_add_test(${target}): unknown arguments ${arg_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT TARGET ${target})
    message(FATAL_ERROR "fw_add_test(${target}): no such target; define the executable first")
  endif()
  if(NOT arg_NAME)
    set(arg_NAME ${target})
  endif()
  if(MINGW)
    add_test(NAME ${arg_NAME}
             COMMAND "${FW_WINE_RUN}" $<TARGET_FILE:${target}> ${arg_ARGS}
             WORKING_DIRECTORY "${FW_BIN_DIR}")
  else()
    add_test(NAME ${arg_NAME}
             COMMAND $<TARGET_FILE:${target}> ${arg_ARGS}
             WORKING_DIRECTORY "${FW_BIN_DIR}")
  endif()
  _fw_set_test_properties(${arg_NAME} "${arg_TIMEOUT}" "${arg_LABELS}")
  # Under Wine a crash in the exception dispatch, or a stack overflow, can end
  # a program with exit code 0 and without the debugger's line: a run counts
  # only when the test framework reached its summary, with no test failed.
  set_property(TEST ${arg_NAME} PROPERTY
               PASS_REGULAR_EXPRESSION "\\[==========\\] [0-9]+ tests? from [0-9]+ test suites? ran")
  set_property(TEST ${arg_NAME} APPEND PROPERTY FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
  if(arg_TIP_WINDOW)
    set_property(TEST ${arg_NAME} APPEND PROPERTY RESOURCE_LOCK tip_window)
  endif()
  if(arg_REAL_INPUT)
    set_property(TEST ${arg_NAME} PROPERTY RUN_SERIAL TRUE)
  endif()
endfunction()

function(fw_add_script_test name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "WORKING_DIRECTORY;TIMEOUT" "COMMAND;LABELS")
  if(arg_UNPARSED_ARGUMENTS OR NOT arg_COMMAND)
    message(FATAL_ERROR "fw_add_script_test(${name} COMMAND <cmd>...): bad arguments")
  endif()
  if(NOT arg_WORKING_DIRECTORY)
    set(arg_WORKING_DIRECTORY "${FW_BIN_DIR}")
  endif()
  if(MINGW)
    set(command "${FW_WINE_RUN}" --exec ${arg_COMMAND})
  else()
    set(command ${arg_COMMAND})
  endif()
  add_test(NAME ${name} COMMAND ${command} WORKING_DIRECTORY "${arg_WORKING_DIRECTORY}")
  _fw_set_test_properties(${name} "${arg_TIMEOUT}" "${arg_LABELS}")
endfunction()
