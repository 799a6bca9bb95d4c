# Windows programs of the win64 and win32 builds run under Wine, in a prefix
# of their own inside the build folder; it is created and shut down by the
# test fixture (tests/wine/prefix.sh), never a user's own. The x86 build
# needs Wine's 32-bit DLLs (scripts/install-wine32.sh) from the prefix's
# creation on.
if(NOT TARDO_WINE)
  return()
endif()
set(TARDO_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(TARDO_WINE_DLLPATH "")
if(TARDO_ARCH STREQUAL "x86")
  set(TARDO_CACHE "/var/cache/tardo" CACHE PATH "Where scripts/install-wine32.sh put Wine's 32-bit DLLs")
  set(TARDO_WINE_DLLPATH ${TARDO_CACHE}/wine-i386/usr/lib/i386-linux-gnu/wine)
  if(NOT EXISTS ${TARDO_WINE_DLLPATH}/i386-windows/kernel32.dll)
    message(FATAL_ERROR "Wine's 32-bit DLLs are not in ${TARDO_WINE_DLLPATH}: run bash scripts/install-deps.sh")
  endif()
endif()
configure_file(${CMAKE_SOURCE_DIR}/tests/wine/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
