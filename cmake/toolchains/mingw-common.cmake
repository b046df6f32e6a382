# Shared part of the mingw-w64 toolchain files; KAVELO_MINGW_TRIPLE names the target.
set(CMAKE_C_COMPILER ${KAVELO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KAVELO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KAVELO_MINGW_TRIPLE}-windres)
set(CMAKE_DLLTOOL ${KAVELO_MINGW_TRIPLE}-dlltool)
set(CMAKE_FIND_ROOT_PATH /usr/${KAVELO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ runtimes and winpthread go into each module, so that the DLLs and
# programs import system DLLs only.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Programs run under Wine in a prefix of the build tree, created on first use.
# Tests are listed when ctest runs, not at build time, so a machine that cannot run them
# still builds them.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${KAVELO_WINE_BITS})
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
