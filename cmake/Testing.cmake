# GoogleTest: the system package natively, Debian's source tree built with
# MinGW for Windows. tardo_add_unit_test(name sources...) makes one test
# program that runs as one CTest test (under Wine for win64).

# tardo_add_shell_suite(NAME SCRIPT [FIXTURES f...] [ARGS a...]): an
# end-to-end suite in Python that drives hostshell with the plug-in, natively
# or (win64) under Wine in the build's prefix.
function(tardo_add_shell_suite name script)
  cmake_parse_arguments(suite "" "" "FIXTURES;ARGS" ${ARGN})
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(emulator "")
  if(TARDO_WINE)
    set(emulator --emulator ${CMAKE_BINARY_DIR}/wine-run.sh)
  endif()
  add_test(NAME ${name}
           COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/${script}
                   --shell $<TARGET_FILE:hostshell> --plugin $<TARGET_FILE:Tardo> ${emulator}
                   --work ${CMAKE_CURRENT_BINARY_DIR} ${suite_ARGS})
  set_tests_properties(${name} PROPERTIES TIMEOUT 900)
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
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE TakeCmd GTest::gtest_main)
  target_compile_options(${name} PRIVATE -Wall -Wextra)
  add_test(NAME ${name} COMMAND ${name})
  if(TARDO_WINE)
    set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_prefix)
  endif()
endfunction()
