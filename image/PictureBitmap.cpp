#include "image/PictureBitmap.h"

#include <limits>
#include <new>

namespace kavelo::image {

bool CPictureBitmap::Create(int width, int height) {
  Release();
  if (width <= 0 || height <= 0) return false;
  const std::uint64_t bytes = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * kBytesPerPixel;
  if (bytes > std::numeric_limits<std::size_t>::max()) return false;
  m_pixels.reset(new (std::nothrow) std::uint8_t[static_cast<std::size_t>(bytes)]());
  if (!m_pixels) return false;
  m_width = width;
  m_height = height;
  return true;
}

void CPictureBitmap::Release() {
  m_pixels.reset();
  m_width = 0;
  m_height = 0;
}

}  // namespace kavelo::image
