# The browser's program: aurisplot.js and aurisplot.wasm, which the page
# (window/web/site) loads. The Graph command yields to the browser from its
# event pumps (ASYNCIFY); the program runs no eval and no code it makes at run
# time, so the page's Content-Security-Policy allows only WebAssembly itself.
add_executable(aurisplot web_main.cpp)
target_link_libraries(aurisplot PRIVATE aurisplot::toolkit_window aurisplot_warnings)
target_link_options(aurisplot PRIVATE
  -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sDYNAMIC_EXECUTION=0 -sENVIRONMENT=web
  -sEXPORTED_FUNCTIONS=_main,_malloc,_free -sEXIT_RUNTIME=0 -sINITIAL_MEMORY=33554432)
