# Picture files to bottom-up 32-bit pixels on Windows: the shared reading, size check and
# composition, with the Windows Imaging Component as the decoder.
add_library(kavelo_image STATIC
  ${CMAKE_CURRENT_LIST_DIR}/../DeclaredSize.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../GifDataCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../IconDirectory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../LoadImageBits.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../LoadPictureBitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../OlePicture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../PictureFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ComApartment.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PngCrcCheck.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WicDecoder.cpp)
target_include_directories(kavelo_image PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(kavelo_image PRIVATE kavelo_platform windowscodecs ole32 oleaut32 uuid)
