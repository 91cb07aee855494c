// Compiled against one layer's libraries with one header of another layer: the build of
// the layers is right when a header across an allowed arrow compiles and any other one
// is not found (tests/layers/CMakeLists.txt).
#include KORVANE_PROBE_HEADER
