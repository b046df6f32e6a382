target_sources(kavelo_test_files PRIVATE win32/SystemEncoders.cpp win32/PeakMemory.cpp)
target_link_libraries(kavelo_test_files PRIVATE windowscodecs ole32 oleaut32 uuid psapi)
