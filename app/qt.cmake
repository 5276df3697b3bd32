# The Linux program, on Qt. Qt's imported targets are visible only in the
# directory that found them.
find_package(Qt6 6.4 REQUIRED COMPONENTS Widgets)
add_executable(aurisplot qt_main.cpp)
target_link_libraries(aurisplot PRIVATE aurisplot::toolkit_window aurisplot_warnings)
