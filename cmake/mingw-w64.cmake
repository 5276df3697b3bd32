# Cross-builds the Windows program on Debian with MinGW-w64 (packages
# g++-mingw-w64-x86-64-posix and mingw-w64-tools). The posix flavour of the
# compilers is the one whose libstdc++ has std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(aurisplot_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${aurisplot_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${aurisplot_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${aurisplot_mingw}-windres)

# Headers and libraries come from the MinGW sysroot only, programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${aurisplot_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The runtime (libstdc++, libgcc, winpthread) is linked in, so the .exe needs
# no DLL beside it; without it Wine ends the program with status 53 before
# main. ASLR with a 64-bit address space and DEP are spelled out: they are
# binutils' defaults today, and the PE header must keep them whatever the
# linker's defaults become.
set(CMAKE_EXE_LINKER_FLAGS_INIT
    "-static -static-libgcc -static-libstdc++ -Wl,--dynamicbase,--high-entropy-va,--nxcompat")

# Test programs (ctest) run under Wine, in the build folder's own prefix,
# through a wrapper that ends that prefix's Wine server when the program ends.
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH aurisplot_source_dir)
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${aurisplot_source_dir}/scripts/wine_run.sh ${CMAKE_BINARY_DIR}/wine-prefix)
