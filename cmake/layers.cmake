# Helpers for the three layers of the build (see CMakeLists.txt).

# The files of a layer, from globs relative to the source folder.
function(kelopz_layer_sources out)
  set(globs ${ARGN})
  list(TRANSFORM globs PREPEND ${CMAKE_SOURCE_DIR}/)
  file(GLOB_RECURSE files CONFIGURE_DEPENDS ${globs})
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# Stops the configuration when a source under src/ belongs to no layer or to more than
# one: a new file must be placed on purpose, never land in a layer by default.
function(kelopz_require_one_layer)
  kelopz_layer_sources(all src/*.cpp src/*.h)
  list(REMOVE_ITEM all ${CMAKE_SOURCE_DIR}/src/main.cpp)
  set(problems "")
  foreach(file ${all})
    set(layers "")
    foreach(layer ${ARGN})
      if(file IN_LIST ${layer})
        list(APPEND layers ${layer})
      endif()
    endforeach()
    list(LENGTH layers n)
    if(NOT n EQUAL 1)
      string(REPLACE ";" ", " layers "${layers}")
      string(APPEND problems "\n  ${file}: in ${n} layers (${layers})")
    endif()
  endforeach()
  if(problems)
    message(FATAL_ERROR "Every source belongs to exactly one layer; place these in one of the "
                        "lists in CMakeLists.txt:${problems}")
  endif()
endfunction()

# Fails the build of target when a file of its sources reads, directly or through other
# headers and in whatever spelling, a project header that is neither its own layer's nor a
# lower layer's, or a system header that matches `forbidden` (a regular expression; empty
# for none). The compiler itself lists what each file reads, so every include form counts.
function(kelopz_check_layers target sources lower forbidden)
  set(allowed ${sources} ${lower})
  list(FILTER allowed INCLUDE REGEX "\\.h$")
  set(dir ${CMAKE_BINARY_DIR}/layers)
  string(REPLACE ";" "\n" allowed_text "${allowed}")
  file(WRITE ${dir}/${target}.allowed "${allowed_text}\n")
  string(REPLACE ";" "\n" sources_text "${sources}")
  file(WRITE ${dir}/${target}.sources "${sources_text}\n")
  set(stamp ${dir}/${target}.checked)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DCOMMANDS=${CMAKE_BINARY_DIR}/compile_commands.json
            -DALLOWED=${dir}/${target}.allowed -DSOURCES=${dir}/${target}.sources
            -DPROJECT_SOURCES=${CMAKE_SOURCE_DIR}/src -DFORBIDDEN=${forbidden}
            -DLAYER=${target} -DSTAMP=${stamp} -P ${CMAKE_SOURCE_DIR}/cmake/check_layers.cmake
    DEPENDS ${sources} ${lower} ${dir}/${target}.allowed ${CMAKE_SOURCE_DIR}/cmake/check_layers.cmake
    COMMENT "Checking that ${target} reads nothing from a layer above it"
    VERBATIM)
  add_custom_target(${target}_layer_check DEPENDS ${stamp})
  add_dependencies(${target} ${target}_layer_check)
endfunction()
