# Helpers that keep the per-folder CMake files short: sources are globbed per folder so that adding a file
# needs no edit here.

# pagehost_library(NAME DIR [DEPS ...]): a static library from the .cpp files of DIR.
function(pagehost_library name dir)
  file(GLOB sources CONFIGURE_DEPENDS ${dir}/*.cpp)
  list(FILTER sources EXCLUDE REGEX ".*Module\\.cpp$")
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()

# pagehost_plugin(NAME MODULE_SOURCE LIBS...): the loadable module of a plug-in, built from its static
# libraries and one source file that exports GetPlugIn. Only GetPlugIn leaves the module.
function(pagehost_plugin name module_source)
  add_library(${name} MODULE ${module_source})
  target_link_libraries(${name} PRIVATE ${ARGN} host)
  target_link_options(${name} PRIVATE -Wl,--exclude-libs,ALL)
  # Sanitizer runtimes resolve some symbols only in the executable, so undefined symbols are checked only in
  # plain builds.
  if(NOT PAGEHOST_SANITIZE AND NOT PAGEHOST_FUZZ)
    target_link_options(${name} PRIVATE -Wl,--no-undefined)
  endif()
  set_target_properties(${name} PROPERTIES PREFIX "" SUFFIX ".so"
                        LIBRARY_OUTPUT_DIRECTORY ${PAGEHOST_PLUGIN_DIR})
  set_property(GLOBAL APPEND PROPERTY PAGEHOST_PLUGINS ${name})
endfunction()
