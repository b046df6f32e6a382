#include "play/artwork/PngWriter.h"

#include <SDL.h>
#include <SDL_image.h>

#include <memory>

namespace kavelo::artwork {

bool WritePng(const Raster& raster, const std::filesystem::path& file, std::string& error) {
  if (raster.Width() <= 0 || raster.Height() <= 0) {
    error = "an empty picture for " + file.string();
    return false;
  }
  std::vector<std::uint8_t> rgb = raster.KeyedRgb();
  const int pitch = raster.Width() * 3;
  const std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> surface(
      SDL_CreateRGBSurfaceWithFormatFrom(rgb.data(), raster.Width(), raster.Height(), 24, pitch,
                                         SDL_PIXELFORMAT_RGB24),
      &SDL_FreeSurface);
  if (!surface) {
    error = std::string("no surface for ") + file.string() + ": " + SDL_GetError();
    return false;
  }
  if (IMG_SavePNG(surface.get(), file.string().c_str()) != 0) {
    error = std::string("cannot write ") + file.string() + ": " + IMG_GetError();
    return false;
  }
  return true;
}

}  // namespace kavelo::artwork
