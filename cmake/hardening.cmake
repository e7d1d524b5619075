# Hardening that Debian expects of the binaries it ships: fortified libc calls, stack protector and
# stack clash protection, control-flow protection, full RELRO with immediate binding, and
# position-independent executables.
# Include it from the top-level CMakeLists.txt before the targets are defined.
option(QUARVEL_HARDEN "Build with the hardening flags Debian uses (fortify, stack protection, RELRO, PIE)" ON)

# The sanitizers bring their own checks, and fortified calls would bypass their interceptors.
if(QUARVEL_HARDEN AND NOT QUARVEL_SANITIZE)
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  # _FORTIFY_SOURCE only works with optimisation, so Debug builds go without it; -U first because
  # some toolchains define it already.
  set(optimised "$<OR:$<CONFIG:Release>,$<CONFIG:RelWithDebInfo>,$<CONFIG:MinSizeRel>>")
  add_compile_options("$<${optimised}:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>" -fstack-protector-strong)
  add_link_options(LINKER:-z,relro LINKER:-z,now)
  # Probed stack growth and control-flow marks, where the compiler and target have them.
  include(CheckCXXCompilerFlag)
  foreach(flag -fstack-clash-protection -fcf-protection)
    string(MAKE_C_IDENTIFIER "QUARVEL_HAS${flag}" has_flag)
    check_cxx_compiler_flag(${flag} ${has_flag})
    if(${has_flag})
      add_compile_options(${flag})
    endif()
  endforeach()
endif()
