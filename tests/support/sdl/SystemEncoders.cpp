// Test pictures written by SDL_image for PNG and JPEG.
#include <SDL.h>
#include <SDL_image.h>

#include <memory>

#include "tests/support/TestFiles.h"

namespace kavelo::test {

Bytes EncodeBySystem(const TestPicture& picture, Format format) {
  using Surface = std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)>;
  const Surface rgba(SDL_CreateRGBSurfaceWithFormatFrom(const_cast<Rgba*>(picture.pixels.data()), picture.width,
                     picture.height, 32, picture.width * 4, SDL_PIXELFORMAT_RGBA32), SDL_FreeSurface);
  const Surface rgb(rgba ? SDL_ConvertSurfaceFormat(rgba.get(), SDL_PIXELFORMAT_BGR24, 0) : nullptr, SDL_FreeSurface);
  Bytes bytes(static_cast<std::size_t>(picture.width) * picture.height * 8 + 65536);
  SDL_RWops* out = rgb ? SDL_RWFromMem(bytes.data(), static_cast<int>(bytes.size())) : nullptr;
  if (out == nullptr) return {};
  const int failed = format == Format::kPng ? IMG_SavePNG_RW(rgba.get(), out, 0) : IMG_SaveJPG_RW(rgb.get(), out, 0, 100);
  bytes.resize(failed ? 0 : static_cast<std::size_t>(SDL_RWtell(out)));
  SDL_RWclose(out);
  return bytes;
}

// A Linux host reads its picture files as they are.
Bytes Preloaded(const TestPicture&, Format, Bytes file) { return file; }

}  // namespace kavelo::test
