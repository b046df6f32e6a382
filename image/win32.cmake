# Pictures decoded by the Windows Imaging Component, icons included, in a COM apartment
# of the calling thread.
target_sources(kavelo_image PRIVATE win32/ComApartment.cpp win32/PngCrcCheck.cpp win32/WicDecoder.cpp)
target_link_libraries(kavelo_image PRIVATE windowscodecs ole32 oleaut32 uuid)
