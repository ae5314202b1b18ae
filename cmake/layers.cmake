# Helpers for the three layers of the build (see CMakeLists.txt).

# The files of a layer, from globs relative to the source folder.
function(kelopz_layer_sources out)
  set(globs ${ARGN})
  list(TRANSFORM globs PREPEND ${CMAKE_SOURCE_DIR}/)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${globs})
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# Fails the build of target when one of its sources includes a project header that is
# neither its own layer's nor one of the allowed lower layers' files.
function(kelopz_check_layers target sources lower)
  set(allowed ${sources} ${lower})
  list(FILTER allowed INCLUDE REGEX "\\.h$")
  list(TRANSFORM allowed REPLACE "^${CMAKE_SOURCE_DIR}/src/" "")
  set(list_file ${CMAKE_BINARY_DIR}/layers/${target}.allowed)
  string(REPLACE ";" "\n" allowed_text "${allowed}")
  file(WRITE ${list_file} "${allowed_text}\n")
  set(sources_file ${CMAKE_BINARY_DIR}/layers/${target}.sources)
  string(REPLACE ";" "\n" sources_text "${sources}")
  file(WRITE ${sources_file} "${sources_text}\n")
  set(stamp ${CMAKE_BINARY_DIR}/layers/${target}.checked)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DALLOWED=${list_file} -DSOURCES=${sources_file} -DLAYER=${target}
            -DSTAMP=${stamp} -P ${CMAKE_SOURCE_DIR}/cmake/check_layers.cmake
    DEPENDS ${sources} ${list_file} ${CMAKE_SOURCE_DIR}/cmake/check_layers.cmake
    COMMENT "Checking that ${target} includes nothing from a layer above it")
  add_custom_target(${target}_layer_check DEPENDS ${stamp})
  add_dependencies(${target} ${target}_layer_check)
endfunction()
