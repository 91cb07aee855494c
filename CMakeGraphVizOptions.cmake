# `cmake --graphviz=layers.dot build` draws the layers: the project's libraries, programs and
# the system libraries they link, without the compiler settings target and Qt's internals.
set(GRAPHVIZ_GRAPH_NAME "Korvane layers")
set(GRAPHVIZ_IGNORE_TARGETS "korvane_warnings" "korvane_resources_.*" "Qt6?::.*" "Wrap.*" "OpenGL::.*" "Threads::.*"
    "GTest::.*" "benchmark::.*")
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
