# The Windows build's tests, run under Wine.
set(wine_prefix ${PROJECT_BINARY_DIR}/wine-prefix)
set(wine_environment LC_ALL=C.UTF-8 TZ=UTC)
add_subdirectory(windows)
aurisplot_add_wine_test(aurisplot_form_tests aurisplot_form_tests)
add_subdirectory(window)

