# On SDL2: the sound player and its wave files, the installed package, the browser tests'
# reference frames, and kavelo-play with its artwork.
add_subdirectory(sound)
add_subdirectory(install)
add_subdirectory(web/reference)
if(KAVELO_BUILD_PLAY)
  add_subdirectory(play)
endif()
