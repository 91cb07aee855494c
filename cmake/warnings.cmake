# Warnings for every target of the project: libraries, the program, tests, benchmarks and
# fuzzers all link korvane_warnings. With KORVANE_WERROR (CI turns it on) they are errors.
option(KORVANE_WERROR "Treat compiler warnings as errors" OFF)

add_library(korvane_warnings INTERFACE)
target_compile_options(korvane_warnings INTERFACE
  -Wall -Wextra
  # A derived class deleted through its base must not leak, and an overload that hides a
  # virtual of the base is nearly always a mistyped override.
  -Wnon-virtual-dtor -Woverloaded-virtual
  # A switch over an enum class that misses a value (part of -Wall, named for the enum
  # classes everywhere), and a local variable hiding another (GCC only: clang's -Wshadow
  # would also flag every constructor argument named like its member).
  -Wswitch $<$<CXX_COMPILER_ID:GNU>:-Wshadow=local>
  $<$<BOOL:${KORVANE_WERROR}>:-Werror>)
