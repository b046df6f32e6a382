# On Windows: the system's timers through a real message loop, COM and wide paths for
# pictures, the system's sound service, kavelo-play.exe, and the play core's tests.
add_subdirectory(win32)
if(KAVELO_BUILD_PLAY)
  add_subdirectory(play)
endif()
# The decoders' peak under the budget holds where the plug-in decodes into the memory it
# keeps (SDL_image on Linux). WIC's PNG decoder, as Wine implements it, holds the whole
# decoded picture of its own besides the plug-in's: 476 MiB at the peak for an 8192 x 8192
# picture, over the bound of 320 MiB.
set_property(TARGET render_tests PROPERTY KAVELO_TEST_FILTER -DecodeMemory.*)
