# The browser build's tests: the engine's and the form's test programs, the
# same as on Linux, run under node (the toolchain's emulator). Each program is
# one test: listing its cases would mean running node at build time.
add_test(NAME aurisplot_engine_tests COMMAND aurisplot_engine_tests)
add_test(NAME aurisplot_form_tests COMMAND aurisplot_form_tests)
