# The window benchmarks of the native window, run under Wine.
add_executable(aurisplot_bench win32_bench.cpp)
target_link_libraries(aurisplot_bench PRIVATE
  aurisplot_engine aurisplot::toolkit_window aurisplot_null_window aurisplot_warnings)
target_include_directories(aurisplot_bench PRIVATE ${PROJECT_SOURCE_DIR})
# Run once, briefly, with every test, so that the benchmarks keep working.
aurisplot_add_wine_desktop_test(aurisplot_bench_smoke aurisplot_bench --smoke)
