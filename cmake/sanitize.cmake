# A second build of everything with AddressSanitizer and UndefinedBehaviorSanitizer:
#   cmake -S . -B build-asan -DKORVANE_SANITIZE=ON
# Included before any target is declared, so that every library, program and test gets it.
option(KORVANE_SANITIZE "Build with -fsanitize=address,undefined" OFF)
if(KORVANE_SANITIZE)
  set(KORVANE_SANITIZE_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_compile_options(${KORVANE_SANITIZE_FLAGS})
  add_link_options(${KORVANE_SANITIZE_FLAGS})
endif()

# The fuzz build (fuzz/CMakeLists.txt) instruments every library for libFuzzer's coverage,
# with the sanitizers that turn a bad read into a crash it can report.
option(KORVANE_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(KORVANE_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(KORVANE_FUZZ_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined)
  add_compile_options(-g -O1 -fsanitize=fuzzer-no-link ${KORVANE_FUZZ_FLAGS})
  add_link_options(${KORVANE_FUZZ_FLAGS})
endif()
