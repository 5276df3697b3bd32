# The browser's program: aurisplot.js and aurisplot.wasm, which the page
# (window/web/site) loads. The Graph command yields to the browser from its
# event pumps (ASYNCIFY); the program runs no eval and no code it makes at run
# time, so the page's Content-Security-Policy allows only WebAssembly itself.
#
# Only the functions between the page's event and its yields may be on the
# stack when the program yields (yield_path.txt, in the names the WebAssembly
# module gives them; a name inlined away is warned of and harmless). ASYNCIFY
# instruments those alone: left to itself it would instrument every function
# a virtual call could reach, the drawing and most of the engine. A function
# missing from the list would break the page's Graph at its first yield; the
# page's tests run the long sweep, its progress and Exit in every engine.
set(yield_path ${CMAKE_CURRENT_SOURCE_DIR}/yield_path.txt)
add_executable(aurisplot web_main.cpp)
target_link_libraries(aurisplot PRIVATE aurisplot::toolkit_window aurisplot_warnings)
target_link_options(aurisplot PRIVATE
  -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sASYNCIFY_ONLY=@${yield_path}
  -sDYNAMIC_EXECUTION=0 -sENVIRONMENT=web
  -sEXPORTED_FUNCTIONS=_main,_malloc,_free -sEXIT_RUNTIME=0 -sINITIAL_MEMORY=33554432)
set_property(TARGET aurisplot APPEND PROPERTY LINK_DEPENDS ${yield_path})
