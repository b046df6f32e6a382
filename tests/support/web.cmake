# PNG and JPEG written by the tests themselves, and every picture preloaded into the
# image library's store as a page preloads its artwork.
target_sources(kavelo_test_files PRIVATE web/SystemEncoders.cpp web/PeakMemory.cpp)
target_link_libraries(kavelo_test_files PRIVATE kavelo_image)
