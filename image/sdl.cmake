# Pictures decoded by SDL_image without any display; icon entries in BMP form by the
# shared IconBitmap.
pkg_check_modules(KAVELO_SDL_IMAGE REQUIRED IMPORTED_TARGET sdl2 SDL2_image)
target_sources(kavelo_image PRIVATE sdl/PictureDecoder.cpp)
target_link_libraries(kavelo_image PRIVATE PkgConfig::KAVELO_SDL_IMAGE)
