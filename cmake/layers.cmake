# The game's folders as libraries. A folder may include and link only the folders of lower layers;
# quarvel_check_layers() adds a build step that fails on an include that runs the other way.

set(QUARVEL_LAYERS
  "platform"
  "assets"
  "render;audio"
  "field;effects;ui"
  "creatures"
  "game"
  "app")

# quarvel_layer(NAME SOURCES... [LINKS targets...]): the library quarvel_NAME of folder NAME.
function(quarvel_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "SOURCES;LINKS")
  add_library(quarvel_${name} STATIC ${arg_SOURCES})
  target_include_directories(quarvel_${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_compile_options(quarvel_${name} PRIVATE ${QUARVEL_WARNINGS})
  target_compile_definitions(quarvel_${name} PUBLIC GLM_ENABLE_EXPERIMENTAL)
  target_link_libraries(quarvel_${name} PUBLIC ${arg_LINKS})
endfunction()

function(quarvel_check_layers)
  set(folders "")
  set(sources "")
  foreach(layer IN LISTS QUARVEL_LAYERS)
    string(REPLACE ";" "," layer "${layer}")
    list(APPEND folders "${layer}")
  endforeach()
  string(REPLACE ";" "|" folders "${folders}")
  foreach(layer IN LISTS QUARVEL_LAYERS)
    foreach(folder IN LISTS layer)
      file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/${folder}/*.hpp)
      list(APPEND sources ${found})
    endforeach()
  endforeach()
  set(stamp ${PROJECT_BINARY_DIR}/layers.checked)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} "-DLAYERS=${folders}"
            -P ${PROJECT_SOURCE_DIR}/cmake/check_layers.cmake
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${sources} ${PROJECT_SOURCE_DIR}/cmake/check_layers.cmake
    COMMENT "Checking that no include runs up the layers"
    VERBATIM)
  add_custom_target(quarvel_layers ALL DEPENDS ${stamp})
endfunction()
