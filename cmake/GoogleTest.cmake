# GoogleTest from the distribution's sources, built with whichever compiler this tree uses.
# Targets: GTest::gtest, GTest::gtest_main, GTest::gmock, GTest::gmock_main.
include_guard(GLOBAL)

set(FW_GOOGLETEST_DIR /usr/src/googletest CACHE PATH "GoogleTest source tree")
if(NOT EXISTS "${FW_GOOGLETEST_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "GoogleTest sources not found in ${FW_GOOGLETEST_DIR} (run scripts/setup)")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory("${FW_GOOGLETEST_DIR}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
