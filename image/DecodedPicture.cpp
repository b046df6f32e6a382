#include "image/DecodedPicture.h"

#include <new>

namespace kavelo::image {

void PixelRelease::operator()(std::uint8_t* pixels) const {
  if (release != nullptr) {
    release(owner);
  } else {
    delete[] pixels;
  }
}

bool DecodedPicture::Allocate(int w, int h) {
  pixels.reset();
  width = height = 0;
  if (w <= 0 || h <= 0) return false;
  const std::size_t bytes = static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * kBytesPerPixel;
  pixels = decltype(pixels)(new (std::nothrow) std::uint8_t[bytes]);
  if (!pixels) return false;
  width = w;
  height = h;
  return true;
}

void DecodedPicture::Adopt(int w, int h, std::uint8_t* data, void (*release)(void* owner), void* owner) {
  pixels = PixelBuffer(data, PixelRelease(release, owner));
  width = w;
  height = h;
}

}  // namespace kavelo::image
