# The browser's program: aurisplot.js and aurisplot.wasm, which the page
# (window/web/site) loads. main hands the window to the page, which turns the
# program's event loop through aurisplot_turn; a running command stops at the
# event pumps at which it waits for a turn, so nothing of the program is
# instrumented to yield. The program runs no eval and no code it makes at run
# time, so the page's Content-Security-Policy allows only WebAssembly itself.
add_executable(aurisplot web_main.cpp)
target_link_libraries(aurisplot PRIVATE aurisplot::toolkit_window aurisplot_warnings)
target_link_options(aurisplot PRIVATE
  -sDYNAMIC_EXECUTION=0 -sENVIRONMENT=web
  -sEXPORTED_FUNCTIONS=_main,_malloc,_free,_aurisplot_turn -sEXIT_RUNTIME=0
  -sINITIAL_MEMORY=33554432)
