#include "image/DecodedPicture.h"

#include <new>

namespace kavelo::image {

bool DecodedPicture::Allocate(int w, int h) {
  pixels.reset();
  width = height = 0;
  if (w <= 0 || h <= 0) return false;
  pixels.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * kBytesPerPixel]);
  if (!pixels) return false;
  width = w;
  height = h;
  return true;
}

}  // namespace kavelo::image
