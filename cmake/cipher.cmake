# libFuzzer target for the text ciphers (clang only). Build it in a build tree of its own:
#   cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DKORVANE_FUZZ=ON
#   cmake --build build-fuzz --target fuzz_cipher && build-fuzz/fuzz_cipher -max_total_time=60
option(KORVANE_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

if(KORVANE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(WARNING "KORVANE_FUZZ needs clang (-DCMAKE_CXX_COMPILER=clang++); fuzz_cipher is not built")
  else()
    # Only the cipher's own sources are instrumented; they depend on QtCore alone.
    add_executable(fuzz_cipher
      ${CMAKE_SOURCE_DIR}/fuzz/fuzz_cipher.cpp
      ${CMAKE_SOURCE_DIR}/src/editor/TextCipher.cpp
      ${CMAKE_SOURCE_DIR}/src/editor/AnsiCharCode.cpp)
    target_include_directories(fuzz_cipher PRIVATE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(fuzz_cipher PRIVATE Qt6::Core)
    set_target_properties(fuzz_cipher PROPERTIES AUTOMOC OFF)
    target_compile_options(fuzz_cipher PRIVATE -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
    target_link_options(fuzz_cipher PRIVATE -fsanitize=fuzzer,address,undefined)
  endif()
endif()
