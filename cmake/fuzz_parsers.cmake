# libFuzzer targets for the small parsers of outside input: the puzzle's score file,
# the number of a font size text and the leading number of a stored setting (clang only).
#   cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DKORVANE_FUZZ=ON
#   cmake --build build-fuzz --target fuzz_record_file fuzz_numeric_text fuzz_leading_number
#   build-fuzz/fuzz_record_file -max_total_time=300
option(KORVANE_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

if(KORVANE_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  # Each target compiles only the sources it fuzzes, so all of them are instrumented.
  function(korvane_parser_fuzzer name)
    add_executable(${name} ${CMAKE_SOURCE_DIR}/fuzz/${name}.cpp ${ARGN})
    target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PRIVATE Qt6::Core)
    set_target_properties(${name} PROPERTIES AUTOMOC OFF)
    target_compile_options(${name} PRIVATE -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  endfunction()

  korvane_parser_fuzzer(fuzz_record_file ${CMAKE_SOURCE_DIR}/src/tools/puzzle/RecordFile.cpp)
  korvane_parser_fuzzer(fuzz_numeric_text ${CMAKE_SOURCE_DIR}/src/editor/NumericText.cpp)
  korvane_parser_fuzzer(fuzz_leading_number
    ${CMAKE_SOURCE_DIR}/src/tools/saver/LeadingNumber.cpp
    ${CMAKE_SOURCE_DIR}/src/tools/saver/SaverSettings.cpp)
endif()

if(KORVANE_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  korvane_parser_fuzzer(fuzz_registry
    ${CMAKE_SOURCE_DIR}/src/platform/RegFileRegistry.cpp
    ${CMAKE_SOURCE_DIR}/src/tools/saver/SaverSettings.cpp
    ${CMAKE_SOURCE_DIR}/src/tools/saver/LeadingNumber.cpp)
endif()
