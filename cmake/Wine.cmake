# Windows programs of the win64 and win32 builds run under Wine, in a prefix
# of their own inside the build folder; it is created and shut down by the
# test fixture (tests/wine/prefix.sh), never a user's own. The x86 build
# needs Wine's 32-bit DLLs (scripts/install-wine32.sh) from the prefix's
# creation on.
# Every test that runs Windows programs goes through tests/wine/wine-test.sh
# (TARDO_WINE_TEST). For x86 it first runs x86_code_probe, a Linux program
# built here with the machine's own compiler: where the kernel cannot run
# 32-bit code at all, such a test is reported as not run (exit 77, CTest's
# SKIP_RETURN_CODE), with the reason, instead of failing.
if(NOT TARDO_WINE)
  return()
endif()
set(TARDO_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
# WINEDLLPATH: empty for x64. Written here only; bench/measure.sh reads it
# from the x86 build's cache.
set(TARDO_WINE_DLLPATH "" CACHE INTERNAL "")
if(TARDO_ARCH STREQUAL "x86")
  set(TARDO_CACHE "/var/cache/tardo" CACHE PATH "Where scripts/install-wine32.sh put Wine's 32-bit DLLs")
  set(TARDO_WINE_DLLPATH ${TARDO_CACHE}/wine-i386/usr/lib/i386-linux-gnu/wine CACHE INTERNAL "")
  if(NOT EXISTS ${TARDO_WINE_DLLPATH}/i386-windows/kernel32.dll)
    message(FATAL_ERROR "Wine's 32-bit DLLs are not in ${TARDO_WINE_DLLPATH}: run bash scripts/install-deps.sh")
  endif()
  find_program(TARDO_HOST_CXX NAMES g++ c++ REQUIRED)
  set(TARDO_X86_PROBE ${CMAKE_BINARY_DIR}/bin/x86_code_probe)
  set(probe_source ${CMAKE_SOURCE_DIR}/tests/wine/x86_code_probe.cpp)
  add_custom_command(OUTPUT ${TARDO_X86_PROBE}
    COMMAND ${TARDO_HOST_CXX} -std=c++20 -O2 -Wall -Wextra -Werror -no-pie ${probe_source} -o ${TARDO_X86_PROBE}
    DEPENDS ${probe_source}
    COMMENT "x86_code_probe (this machine's own code)")
  add_custom_target(x86_code_probe ALL DEPENDS ${TARDO_X86_PROBE})
endif()
set(TARDO_WINE_TEST bash ${CMAKE_SOURCE_DIR}/tests/wine/wine-test.sh)
if(TARDO_ARCH STREQUAL "x86")
  list(APPEND TARDO_WINE_TEST --x86-probe ${TARDO_X86_PROBE})
endif()
configure_file(${CMAKE_SOURCE_DIR}/tests/wine/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
