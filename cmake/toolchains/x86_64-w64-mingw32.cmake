# Cross build for 64-bit Windows with Debian's mingw-w64 (posix thread model, for
# std::thread and thread_local). Programs built here run under Wine: ctest and test
# discovery start them through wine-run.sh, with a private Wine prefix in the build tree.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(KAVELO_MINGW_TRIPLE x86_64-w64-mingw32)
set(KAVELO_WINE_BITS 64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
