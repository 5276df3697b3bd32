# The Windows program. Its resources (icon, manifest, version) are compiled
# into the .exe itself: from a static library the linker would drop them,
# since no code refers to them.
configure_file(aurisplot_version.h.in aurisplot_version.h @ONLY)
configure_file(aurisplot.manifest.in aurisplot.manifest @ONLY)
add_executable(aurisplot WIN32 win32_main.cpp aurisplot.rc)
set_source_files_properties(aurisplot.rc PROPERTIES OBJECT_DEPENDS
  "${CMAKE_CURRENT_BINARY_DIR}/aurisplot_version.h;${CMAKE_CURRENT_BINARY_DIR}/aurisplot.manifest;${PROJECT_SOURCE_DIR}/window/resources/aurisplot.ico;${PROJECT_SOURCE_DIR}/window/win32/resource_ids.h")
target_include_directories(aurisplot PRIVATE ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_BINARY_DIR})
# wWinMain and the wide-character API throughout: every text in UTF-16.
target_compile_definitions(aurisplot PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
target_link_options(aurisplot PRIVATE -municode)
target_link_libraries(aurisplot PRIVATE aurisplot::toolkit_window aurisplot_warnings)
