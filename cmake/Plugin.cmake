# The plug-in is built from one object library per subsystem:
#   tardo_component(NAME sources...)  defines tardo_NAME
# Tardo.dll and the unit tests link the very same objects.

function(tardo_component name)
  set(target tardo_${name})
  add_library(${target} OBJECT ${ARGN})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${target} PRIVATE ${TARDO_PLUGIN_FLAGS})
  if(WIN32)
    target_link_libraries(${target} PUBLIC ole32 uuid mstask advapi32 user32)
  else()
    target_link_libraries(${target} PUBLIC winapi_standin)
  endif()
  set_property(GLOBAL APPEND PROPERTY TARDO_COMPONENTS ${target})
endfunction()

# The objects of every component, into the variable named out.
function(tardo_component_objects out)
  get_property(components GLOBAL PROPERTY TARDO_COMPONENTS)
  set(objects "")
  foreach(component IN LISTS components)
    list(APPEND objects $<TARGET_OBJECTS:${component}>)
  endforeach()
  set(${out} ${objects} PARENT_SCOPE)
endfunction()

# Tardo.dll (Tardo.so natively) from every component's objects.
function(tardo_add_plugin_library)
  tardo_component_objects(objects)
  add_library(Tardo SHARED ${objects})
  set_target_properties(Tardo PROPERTIES PREFIX "" OUTPUT_NAME Tardo)
  if(WIN32)
    target_link_libraries(Tardo PRIVATE ole32 uuid mstask advapi32 user32)
  else()
    target_link_libraries(Tardo PRIVATE winapi_standin)
  endif()
  if(WIN32)
    target_sources(Tardo PRIVATE ${CMAKE_BINARY_DIR}/plugin/version.rc ${TARDO_PLUGIN_DEF})
    target_link_libraries(Tardo PRIVATE ${TARDO_TAKECMD_IMPORT_LIB})
    add_dependencies(Tardo takecmd_import_lib)
    # Plain export names on x86; stripped, and no link time stamp, so that the
    # same sources give the same file.
    target_link_options(Tardo PRIVATE -Wl,--kill-at -s -Wl,--no-insert-timestamp)
  else()
    target_link_libraries(Tardo PRIVATE TakeCmd)
  endif()
endfunction()
