# kavelo-play on SDL2: a window where SDL's video shows one, PNG snapshots by SDL_image,
# and the installed artwork drawn at build time by the project's generator.
find_package(SDL2 REQUIRED CONFIG)
find_package(SDL2_image REQUIRED CONFIG)

# The user's folders are the XDG ones, from posix/.
target_sources(kavelo_play_host PRIVATE PlayStart.cpp HeadlessPlay.cpp sdl/DisplayChoice.cpp sdl/FrameSnapshot.cpp sdl/HeadlessPlatform.cpp
  sdl/KeyMap.cpp posix/UserFolders.cpp)
target_link_libraries(kavelo_play_host PUBLIC SDL2::SDL2 SDL2_image::SDL2_image)

add_executable(kavelo-play)
target_link_libraries(kavelo-play PRIVATE kavelo_play_host)
target_sources(kavelo-play PRIVATE sdl/main.cpp sdl/DisplayProbe.cpp sdl/WindowPlay.cpp)
# The artwork is looked up from the program's folder, installed or in the build tree.
file(RELATIVE_PATH installed_art ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/PlgKavelo/art)
file(RELATIVE_PATH build_art ${CMAKE_CURRENT_BINARY_DIR} ${KAVELO_ART_DIR})
target_compile_definitions(kavelo-play PRIVATE KAVELO_INSTALLED_ART_DIR="${installed_art}" KAVELO_BUILD_ART_DIR="${build_art}")
add_dependencies(kavelo-play kavelo_artwork_files)
