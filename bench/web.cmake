# The engine alone in WebAssembly, timed by itself (Google Benchmark has no
# emscripten build here): `scripts/dev bench` runs it under node beside the
# Linux figures. The idle window it runs against is a header of its own.
add_executable(aurisplot_bench web_engine_bench.cpp)
target_link_libraries(aurisplot_bench PRIVATE aurisplot_null_window aurisplot_form aurisplot_engine
  aurisplot_warnings)
target_include_directories(aurisplot_bench PRIVATE ${PROJECT_SOURCE_DIR})

# Run once, briefly, with every test, so that the benchmark keeps working.
add_test(NAME aurisplot_bench_smoke COMMAND aurisplot_bench --smoke)
