# Settings of a build for the Debian package (cmake -C install/package_cache.cmake): a Release build
# for /usr in Debian's games layout that builds only the game. Used by scripts/package and its test.
set(CMAKE_BUILD_TYPE Release CACHE STRING "Build type" FORCE)
set(CMAKE_INSTALL_PREFIX /usr CACHE PATH "Install prefix" FORCE)
set(QUARVEL_DEBIAN_LAYOUT ON CACHE BOOL "The game in games/" FORCE)
set(BUILD_TESTING OFF CACHE BOOL "Build the tests" FORCE)
set(QUARVEL_BUILD_BENCHMARKS OFF CACHE BOOL "Build the benchmarks" FORCE)
set(QUARVEL_BUILD_TOOLS OFF CACHE BOOL "Build the asset generator" FORCE)
