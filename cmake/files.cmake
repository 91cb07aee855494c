# libFuzzer targets for the text file codecs: clang only, off in the normal build.
#   cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DKORVANE_FUZZ=ON
#   cmake --build build-fuzz --target fuzz_ansi_codec && build-fuzz/fuzz_ansi_codec -max_total_time=300
#   cmake --build build-fuzz --target fuzz_file_decoder && build-fuzz/fuzz_file_decoder -max_total_time=300
option(KORVANE_FUZZ "Build the libFuzzer targets (needs clang)" OFF)
if(KORVANE_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "KORVANE_FUZZ needs clang: -DCMAKE_CXX_COMPILER=clang++")
  endif()
  add_executable(fuzz_ansi_codec
    ${CMAKE_SOURCE_DIR}/fuzz/fuzz_ansi_codec.cpp
    ${CMAKE_SOURCE_DIR}/src/editor/AnsiCodec.cpp)
  target_include_directories(fuzz_ansi_codec PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_compile_options(fuzz_ansi_codec PRIVATE -fsanitize=fuzzer,address -g -O1)
  target_link_options(fuzz_ansi_codec PRIVATE -fsanitize=fuzzer,address)
  target_link_libraries(fuzz_ansi_codec PRIVATE Qt6::Core)

  add_executable(fuzz_file_decoder
    ${CMAKE_SOURCE_DIR}/fuzz/fuzz_file_decoder.cpp
    ${CMAKE_SOURCE_DIR}/src/editor/FileDecoder.cpp
    ${CMAKE_SOURCE_DIR}/src/editor/Utf8Codec.cpp
    ${CMAKE_SOURCE_DIR}/src/editor/AnsiCodec.cpp)
  target_include_directories(fuzz_file_decoder PRIVATE ${CMAKE_SOURCE_DIR}/src)
  target_compile_options(fuzz_file_decoder PRIVATE -fsanitize=fuzzer,address,undefined -g -O1)
  target_link_options(fuzz_file_decoder PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(fuzz_file_decoder PRIVATE Qt6::Core)
endif()
