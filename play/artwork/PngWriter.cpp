#include "play/artwork/PngWriter.h"

#include <SDL.h>
#include <SDL_image.h>

#include <memory>

namespace kavelo::artwork {
namespace {

// Saves rows of `bytesPerPixel`-byte pixels in `format` as a PNG file.
bool Save(std::vector<std::uint8_t> pixels, const Raster& raster, int bytesPerPixel, Uint32 format,
          const std::filesystem::path& file, std::string& error) {
  if (raster.Width() <= 0 || raster.Height() <= 0) {
    error = "an empty picture for " + file.string();
    return false;
  }
  const std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> surface(
      SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), raster.Width(), raster.Height(), bytesPerPixel * 8,
                                         raster.Width() * bytesPerPixel, format),
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

}  // namespace

bool WritePng(const Raster& raster, const std::filesystem::path& file, std::string& error) {
  return Save(raster.KeyedRgb(), raster, 3, SDL_PIXELFORMAT_RGB24, file, error);
}

bool WritePngWithAlpha(const Raster& raster, const std::filesystem::path& file, std::string& error) {
  return Save(raster.Rgba(), raster, 4, SDL_PIXELFORMAT_RGBA32, file, error);
}

}  // namespace kavelo::artwork
