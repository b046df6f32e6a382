# The artwork generator: the files the program writes, read back as the game reads them.
kavelo_test(play_artwork_tests ArtworkTest.cpp LIBS kavelo_artwork_writer kavelo_image)
target_compile_definitions(play_artwork_tests PRIVATE KAVELO_ARTWORK_PROGRAM="$<TARGET_FILE:kavelo-artwork>")
add_dependencies(play_artwork_tests kavelo-artwork)
# The tiles' outlines, colours and contrast and the marks' shapes, from their drawing itself.
kavelo_test(play_tile_tests TileDistinctTest.cpp MarkShapesTest.cpp ColourVision.cpp LIBS kavelo_artwork kavelo_play_host)

# The desktop program's own: its settings, display choice, user folders and headless play.
kavelo_test(play_host_tests PlayHostTest.cpp DrawnArtTest.cpp LIBS kavelo_play_host)
target_compile_definitions(play_host_tests PRIVATE KAVELO_ART_DIR="${KAVELO_ART_DIR}")
add_dependencies(play_host_tests kavelo_artwork_files)

# The built program, as it starts by default, on a machine without a display: it plays a
# game by itself in real time (about 23 s), quietly.
add_test(NAME play_without_display
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/no-display-run.sh $<TARGET_FILE:kavelo-play>)
set_tests_properties(play_without_display PROPERTIES TIMEOUT 150)
