# Where the game goes when installed: bin/, or games/ as Debian's games are (QUARVEL_DEBIAN_LAYOUT,
# which scripts/package turns on). Included by the top-level CMakeLists before the folders, since the
# data lookup of platform/ is compiled with the path from the executable to the data.
option(QUARVEL_DEBIAN_LAYOUT "Install the game in games/ as Debian's games are (scripts/package turns it on)" OFF)

if(QUARVEL_DEBIAN_LAYOUT)
  set(bindir games)
  set(QUARVEL_FULL_BINDIR ${CMAKE_INSTALL_PREFIX}/games)
  set(QUARVEL_EXEC ${QUARVEL_FULL_BINDIR}/quarvel) # not every launcher has games/ on its PATH
else()
  set(bindir ${CMAKE_INSTALL_BINDIR})
  set(QUARVEL_FULL_BINDIR ${CMAKE_INSTALL_FULL_BINDIR})
  set(QUARVEL_EXEC quarvel)
endif()
set(QUARVEL_BINDIR ${bindir} CACHE INTERNAL "Where the game is installed (the install tests look there)")

