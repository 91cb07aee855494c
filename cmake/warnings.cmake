# Warnings for every target of the project: libraries, the program, tests, benchmarks and
# fuzzers all link korvane_warnings. With KORVANE_WERROR (CI turns it on) they are errors.
option(KORVANE_WERROR "Treat compiler warnings as errors" OFF)

add_library(korvane_warnings INTERFACE)
target_compile_options(korvane_warnings INTERFACE
  -Wall -Wextra
  # A derived class deleted through its base must not leak, and an overload that hides a
  # virtual of the base is nearly always a mistyped override.
  -Wnon-virtual-dtor -Woverloaded-virtual
  # A switch over an enum class that misses a value, and a shadowed member or argument.
  -Wswitch -Wshadow=local
  $<$<BOOL:${KORVANE_WERROR}>:-Werror>)
