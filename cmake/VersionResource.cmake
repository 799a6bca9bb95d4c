# Writes the version resource script, run at build time (cmake -P) so that
# "Build" is when the DLL is built, not when CMake configured:
#   cmake -DTEMPLATE=version.rc.in -DOUTPUT=version.rc -DVERSION=1.2.0 -P VersionResource.cmake
# "Build" is the current time in UTC, or SOURCE_DATE_EPOCH when set (which
# string(TIMESTAMP) honours); "Built On" is the building machine's name.
foreach(required TEMPLATE OUTPUT VERSION)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "VersionResource.cmake: ${required} is not set")
  endif()
endforeach()
if(NOT VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "VersionResource.cmake: VERSION must be major.minor.patch, not '${VERSION}'")
endif()
set(TARDO_VERSION ${VERSION})
set(TARDO_VERSION_MAJOR ${CMAKE_MATCH_1})
set(TARDO_VERSION_MINOR ${CMAKE_MATCH_2})
set(TARDO_VERSION_PATCH ${CMAKE_MATCH_3})
string(TIMESTAMP TARDO_BUILD_TIME "%Y-%m-%d %H:%M:%S" UTC)
cmake_host_system_information(RESULT TARDO_BUILT_ON QUERY HOSTNAME)
file(READ ${TEMPLATE} text)
string(CONFIGURE "${text}" text @ONLY)
# Written every time, even when unchanged, so that the file is newer than the
# objects it was made for and the next build has nothing to do.
file(WRITE ${OUTPUT} "${text}")
