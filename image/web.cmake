# Pictures decoded by the browser ahead of use: the page preloads each picture file and
# hands its decoded pixels to the store, which the decoder then reads synchronously.
target_sources(kavelo_image PRIVATE web/PictureDecoder.cpp web/PreloadedPictures.cpp)
