// PNG and JPEG files through SDL_image's own writers, into memory.
#include <SDL.h>
#include <SDL_image.h>

#include "fuzz/SeedEncoders.h"

namespace kavelo::fuzz {
namespace {

// Room for the file: no encoding of a small picture comes near four times its pixels.
constexpr std::size_t kSlackBytes = 64 * 1024;
constexpr int kJpegQuality = 85;

}  // namespace

std::vector<std::uint8_t> EncodeWithSdl(const SeedPicture& picture, SeedFormat format) {
  std::vector<std::uint8_t> pixels = picture.rgba;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), picture.width, picture.height, 32,
                                                            picture.width * 4, SDL_PIXELFORMAT_ABGR8888);
  if (surface == nullptr) return {};
  std::vector<std::uint8_t> file(pixels.size() * 4 + kSlackBytes);
  SDL_RWops* stream = SDL_RWFromMem(file.data(), static_cast<int>(file.size()));
  int result = -1;
  if (stream != nullptr) {
    result = format == SeedFormat::kPng ? IMG_SavePNG_RW(surface, stream, 0)
                                        : IMG_SaveJPG_RW(surface, stream, 0, kJpegQuality);
    const Sint64 written = SDL_RWtell(stream);
    SDL_RWclose(stream);
    file.resize(result == 0 && written > 0 ? static_cast<std::size_t>(written) : 0);
  }
  SDL_FreeSurface(surface);
  if (result != 0) file.clear();
  return file;
}

}  // namespace kavelo::fuzz
