# GoogleTest: the system package natively, Debian's source tree built with
# MinGW for Windows. tardo_add_unit_test(NAME TIMEOUT seconds sources...)
# makes one test program that runs as one CTest test (under Wine in the
# Windows builds).

# tardo_add_test(NAME TIMEOUT seconds [WINDOWS] [GTEST] COMMAND command...):
# every test of the project, with the time it may take.
#   WINDOWS  in the Windows builds, the command runs Windows programs under
#            Wine: it goes through tests/wine/wine-test.sh, which reports an
#            x86 test as not run on a machine that cannot run 32-bit code;
#   GTEST    the command is a GoogleTest program (a target); under Wine it
#            passes only with GoogleTest's own line for its passed tests.
# TARDO_WINE_SLOWDOWN: how many times slower Wine runs here than on a machine
# of ours (an emulated x86-64 machine, say): every Wine test's time limit is
# that many times longer, and the test gets the factor in its environment for
# the waits of its own (tests/wine/wine-env.sh).
set(TARDO_WINE_SLOWDOWN 1 CACHE STRING "How many times slower Wine runs here: scales the Wine tests' time limits")
function(tardo_add_test name)
  cmake_parse_arguments(PARSE_ARGV 1 test "WINDOWS;GTEST" "TIMEOUT" "COMMAND")
  if(NOT test_TIMEOUT OR NOT test_COMMAND)
    message(FATAL_ERROR "tardo_add_test(${name}): TIMEOUT and COMMAND are required")
  endif()
  set(command ${test_COMMAND})
  set(under_wine FALSE)
  if(TARDO_WINE AND (test_WINDOWS OR test_GTEST))
    set(under_wine TRUE)
    if(test_GTEST)
      list(POP_FRONT command program)
      list(PREPEND command --gtest ${CMAKE_BINARY_DIR}/wine-run.sh $<TARGET_FILE:${program}>)
    endif()
    list(PREPEND command ${TARDO_WINE_TEST})
  endif()
  add_test(NAME ${name} COMMAND ${command})
  set_tests_properties(${name} PROPERTIES TIMEOUT ${test_TIMEOUT})
  if(under_wine)
    math(EXPR timeout "${test_TIMEOUT} * ${TARDO_WINE_SLOWDOWN}")
    set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT ${timeout})
    set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "TARDO_WINE_SLOWDOWN=${TARDO_WINE_SLOWDOWN}")
  endif()
endfunction()

# tardo_add_shell_suite(NAME SCRIPT TIMEOUT [FIXTURES f...] [ARGS a...]): an
# end-to-end suite in Python that drives hostshell with the plug-in, natively
# or under Wine in the build's prefix.
function(tardo_add_shell_suite name script timeout)
  cmake_parse_arguments(suite "" "" "FIXTURES;ARGS" ${ARGN})
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(emulator "")
  if(TARDO_WINE)
    set(emulator --emulator ${CMAKE_BINARY_DIR}/wine-run.sh)
  endif()
  tardo_add_test(${name} WINDOWS TIMEOUT ${timeout}
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/${script}
            --shell $<TARGET_FILE:hostshell> --plugin $<TARGET_FILE:Tardo> ${emulator}
            --work ${CMAKE_CURRENT_BINARY_DIR} ${suite_ARGS})
  # The version the suites expect: project()'s, as every compilation gets it.
  set_property(TEST ${name} APPEND PROPERTY ENVIRONMENT "TARDO_VERSION=${PROJECT_VERSION}")
  if(TARDO_WINE)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED "wine_prefix;${suite_FIXTURES}")
  endif()
endfunction()

if(TARDO_FUZZ)
  function(tardo_add_unit_test name)
  endfunction()
  return()
endif()

if(WIN32)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()

function(tardo_add_unit_test name)
  cmake_parse_arguments(PARSE_ARGV 1 unit "" "TIMEOUT" "")
  add_executable(${name} ${unit_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE TakeCmd GTest::gtest_main)
  target_compile_options(${name} PRIVATE -Wall -Wextra)
  tardo_add_test(${name} GTEST TIMEOUT ${unit_TIMEOUT} COMMAND ${name})
  if(TARDO_WINE)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix)
  endif()
endfunction()
