# On Windows: the system's timers through a real message loop, COM and wide paths for
# pictures, the system's sound service, kavelo-play.exe, and the play core's tests.
add_subdirectory(win32)
if(KAVELO_BUILD_PLAY)
  add_subdirectory(play)
endif()
