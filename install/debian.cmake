# What Debian asks of an installed game (the games/ layout is in layout.cmake): the
# copyright and changelog in the doc folder, a compressed manual page, and a binary stripped of the
# compiler's notes. Included by install/CMakeLists.txt before anything is configured.
# The copyright in Debian's machine-readable format, with the terms taken from LICENSE: DEP-5
# indents them by one space and writes an empty line as " .".
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" notice "${licence}")
set(QUARVEL_COPYRIGHT "${CMAKE_MATCH_1}")
string(REGEX MATCH "Permission is hereby granted.*DEALINGS IN THE\nSOFTWARE\\." terms "${licence}")
string(REPLACE "\n\n" "\n.\n" terms " ${terms}")
string(REPLACE "\n" "\n " QUARVEL_LICENCE_TERMS "${terms}")
configure_file(copyright.in ${CMAKE_CURRENT_BINARY_DIR}/copyright @ONLY)

file(STRINGS changelog.in newest LIMIT_COUNT 1)
string(FIND "${newest}" "quarvel (${PROJECT_VERSION})" at)
if(NOT at EQUAL 0)
  message(FATAL_ERROR "install/changelog.in: the newest entry must be for version ${PROJECT_VERSION}")
endif()
configure_file(changelog.in ${CMAKE_CURRENT_BINARY_DIR}/changelog @ONLY)

# Compressed without name or time stamp, so every build gives the same bytes; built with the game.
find_program(QUARVEL_GZIP gzip REQUIRED)
set(compressed ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz ${CMAKE_CURRENT_BINARY_DIR}/quarvel.6.gz)
foreach(file IN LISTS compressed)
  string(REGEX REPLACE "\\.gz$" "" plain ${file})
  add_custom_command(OUTPUT ${file} COMMAND ${QUARVEL_GZIP} -9nkf ${plain} DEPENDS ${plain} VERBATIM)
endforeach()
add_custom_target(quarvel_compressed_docs DEPENDS ${compressed})
add_dependencies(quarvel quarvel_compressed_docs)

set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/quarvel)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${doc_dir})
if(QUARVEL_DEBIAN_LAYOUT)
  install(FILES lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME quarvel)
endif()

# Stripped installs (cpack, cmake --install --strip) also drop the .comment and .note sections, as
# Debian's own packages do; a plain strip keeps them.
function(quarvel_strip_installed_game)
  string(CONFIGURE [[
if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND "@CMAKE_STRIP@" --remove-section=.comment --remove-section=.note --strip-unneeded
    "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/@QUARVEL_BINDIR@/quarvel" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "Could not strip the installed game: ${failed}")
  endif()
endif()]] code @ONLY)
  install(CODE "${code}")
endfunction()
