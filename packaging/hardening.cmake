# The hardening of Debian's packages (dpkg-buildflags with hardening=+all) for the optimised
# builds the package is made from: fortified C library calls, the stack protector, format
# string checks, relocations made read-only and bound at start (relro, now), and a
# position-independent executable. Not for the Debug, sanitizer and fuzz builds: fortifying
# needs optimisation, and the sanitizers bring their own checks.
if(NOT CMAKE_BUILD_TYPE STREQUAL "Debug" AND NOT QUORL_SANITIZE AND NOT QUORL_FUZZ)
  add_compile_options(-D_FORTIFY_SOURCE=2 -fstack-protector-strong -Wformat
    -Werror=format-security)
  add_link_options(-Wl,-z,relro -Wl,-z,now)
  include(CheckPIESupported)
  check_pie_supported()
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
endif()
