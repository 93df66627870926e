# GoogleTest from the Debian sources, built with the same compiler as the
# code under test, so the same tests run natively and under Wine.
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# One ctest entry per test executable: under Wine every process start costs.
function(qsb_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE gtest_main qsb_options)
  add_test(NAME ${name} COMMAND ${name})
endfunction()
