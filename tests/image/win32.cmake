target_sources(image_tests PRIVATE win32/Pipe.cpp)
target_link_libraries(image_tests PRIVATE ole32)
