# On SDL2: the sound player and its wave files, the installed package, and kavelo-play
# with its artwork.
add_subdirectory(sound)
add_subdirectory(install)
if(KAVELO_BUILD_PLAY)
  add_subdirectory(play)
endif()
