# On Windows: the system's timers through a real message loop, COM and wide paths for
# pictures, the system's sound service, and kavelo-play.exe.
add_subdirectory(win32)
