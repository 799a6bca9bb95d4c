# Writes the version resource script, run at build time (cmake -P) so that
# "Build" is when the DLL is built, not when CMake configured:
#   cmake -DTEMPLATE=version.rc.in -DOUTPUT=version.rc -DVERSION=X.Y.Z -P VersionResource.cmake
# "Build" is the current time in UTC, or SOURCE_DATE_EPOCH when set (which
# string(TIMESTAMP) honours). "Built On" is TARDO_BUILT_ON from the environment
# when set (scripts/dist.sh sets it); otherwise, when SOURCE_DATE_EPOCH is set,
# a fixed name, so that the machine does not show in a reproducible build;
# otherwise the building machine's name.
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
if(NOT "$ENV{TARDO_BUILT_ON}" STREQUAL "")
  set(TARDO_BUILT_ON "$ENV{TARDO_BUILT_ON}")
elseif(NOT "$ENV{SOURCE_DATE_EPOCH}" STREQUAL "")
  set(TARDO_BUILT_ON "reproducible")
else()
  cmake_host_system_information(RESULT TARDO_BUILT_ON QUERY HOSTNAME)
endif()
# It goes into a quoted resource string as it is: no quotes, backslashes or
# other characters that the resource compiler would read otherwise.
if(NOT TARDO_BUILT_ON MATCHES "^[A-Za-z0-9._ -]+$")
  message(FATAL_ERROR "VersionResource.cmake: \"Built On\" must be letters, digits, '.', '_', '-' "
                      "or blanks, not '${TARDO_BUILT_ON}' (TARDO_BUILT_ON or the host name)")
endif()
file(READ ${TEMPLATE} text)
string(CONFIGURE "${text}" text @ONLY)
# Written every time, even when unchanged, so that the file is newer than the
# objects it was made for and the next build has nothing to do.
file(WRITE ${OUTPUT} "${text}")
