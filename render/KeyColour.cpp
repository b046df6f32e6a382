#include <cstddef>

#include "render/KaveloPicture.h"

namespace {

constexpr std::size_t kAlpha = 3;

std::size_t PixelCount(const KaveloPicture& picture) {
  return picture.Present() ? static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) : 0;
}

}  // namespace

bool IsPureBlack(const std::uint8_t* bgra) { return bgra[0] == 0 && bgra[1] == 0 && bgra[2] == 0; }

void KeyBlackTransparent(KaveloPicture& picture) {
  std::uint8_t* pixel = picture.pixels.get();
  for (std::size_t i = 0, n = PixelCount(picture); i < n; ++i, pixel += 4) {
    pixel[kAlpha] = IsPureBlack(pixel) ? 0 : 255;
  }
}

void KeyOpaqueExceptBlack(KaveloPicture& picture) {
  std::uint8_t* pixel = picture.pixels.get();
  for (std::size_t i = 0, n = PixelCount(picture); i < n; ++i, pixel += 4) {
    if (!IsPureBlack(pixel)) pixel[kAlpha] = 255;
  }
}
