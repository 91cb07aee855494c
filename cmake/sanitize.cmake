# A second build of everything with AddressSanitizer and UndefinedBehaviorSanitizer:
#   cmake -S . -B build-asan -DKORVANE_SANITIZE=ON
# Included before any target is declared, so that every library, program and test gets it.
option(KORVANE_SANITIZE "Build with -fsanitize=address,undefined" OFF)
if(KORVANE_SANITIZE)
  set(KORVANE_SANITIZE_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_compile_options(${KORVANE_SANITIZE_FLAGS})
  add_link_options(${KORVANE_SANITIZE_FLAGS})
endif()
