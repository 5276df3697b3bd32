# The engine and the Qt window, on the offscreen platform or a real X server.
find_package(benchmark REQUIRED)
# Qt's imported targets are visible only in the directory that found them.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets Test)

add_executable(aurisplot_bench bench_main.cpp engine_bench.cpp window_bench.cpp)
target_link_libraries(aurisplot_bench PRIVATE
  aurisplot_engine aurisplot::toolkit_window aurisplot_null_window aurisplot_warnings
  benchmark::benchmark Qt6::Test)
target_include_directories(aurisplot_bench PRIVATE ${PROJECT_SOURCE_DIR})

# Run once, briefly, with every test, so that the benchmarks keep working.
add_test(NAME aurisplot_bench_smoke
  COMMAND aurisplot_bench "--benchmark_filter=D10(/iterations:1)?$" --benchmark_min_time=0.001)
# In a decimal-comma locale, which Qt makes the C library's own as it starts:
# the benchmark options hold numbers.
set_tests_properties(aurisplot_bench_smoke PROPERTIES
  ENVIRONMENT "QT_QPA_PLATFORM=offscreen;${comma_locale_environment}"
  FIXTURES_REQUIRED comma_locale)

# The baseline of the program's start-up: a bare Qt window of its size.
add_executable(aurisplot_bare_window bare_window.cpp)
target_link_libraries(aurisplot_bare_window PRIVATE Qt6::Widgets aurisplot_warnings)
