#include "image/OlePicture.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "image/DeclaredSize.h"
#include "image/Himetric.h"
#include "image/PictureFile.h"
#include "image/PictureDecoder.h"
#include "image/PictureLoadCodes.h"

using namespace kavelo::image;

namespace {

// Also in place, with `out` the same pixel.
void CompositeOverBlack(const std::uint8_t* bgra, std::uint8_t* out) {
  const unsigned alpha = bgra[3];
  if (alpha == 255) {
    if (out != bgra) std::memcpy(out, bgra, 4);
    return;
  }
  for (int channel = 0; channel < 3; ++channel) {
    out[channel] = static_cast<std::uint8_t>(bgra[channel] * alpha / 255);
  }
  out[3] = static_cast<std::uint8_t>(alpha);
}

}  // namespace

COlePicture::~COlePicture() { Free(); }

int COlePicture::Load(const std::wstring& path) {
  if (m_bLoaded) return kPictureCannotOpen;
  PictureBytes bytes;
  int code = ReadPictureFile(path, bytes);
  if (code != kPictureLoaded) return code;
  const DeclaredSize declared = ReadDeclaredSize(bytes.data.get(), bytes.size);
  if (!MayDecode(declared)) return kPictureNotDecodable;
  if (DeclaredBytes(declared) > m_byteLimit) return kPictureOverBudget;
  DecodedPicture decoded;
  code = DecodePicture(declared.format, bytes.data.get(), bytes.size, decoded);
  if (code != kPictureLoaded) return code;

  m_himetricWidth = PixelsToHimetric(decoded.width, kDisplayPixelsPerInch);
  m_himetricHeight = PixelsToHimetric(decoded.height, kDisplayPixelsPerInch);
  m_picture = std::move(decoded);
  m_bLoaded = true;
  return kPictureLoaded;
}

int COlePicture::GetWidth(const PictureDevice& device) const {
  return m_bLoaded ? HimetricToPixels(m_himetricWidth, device.pixelsPerInchX) : 0;
}

int COlePicture::GetHeight(const PictureDevice& device) const {
  return m_bLoaded ? HimetricToPixels(m_himetricHeight, device.pixelsPerInchY) : 0;
}

int COlePicture::Render(kavelo::platform::FrameSurface& target, const PictureRect& rect) const {
  if (!m_bLoaded) return -1;
  const std::int64_t destWidth = std::int64_t{rect.right} - rect.left;
  const std::int64_t destHeight = std::int64_t{rect.bottom} - rect.top;
  if (destWidth <= 0 || destHeight <= 0 || target.Empty()) return 0;
  const std::int64_t left = std::max<std::int64_t>(rect.left, 0);
  const std::int64_t right = std::min<std::int64_t>(rect.right, target.Width());
  const std::int64_t top = std::max<std::int64_t>(rect.top, 0);
  const std::int64_t bottom = std::min<std::int64_t>(rect.bottom, target.Height());

  const std::int64_t sourceWidth = m_picture.width;
  const std::int64_t sourceHeight = m_picture.height;
  for (std::int64_t y = top; y < bottom; ++y) {
    // Nearest source pixel: the offsets stay below the destination's extent, so the
    // source rows and columns stay below the picture's.
    const std::int64_t sourceY = (y - rect.top) * sourceHeight / destHeight;
    const std::uint8_t* sourceRow = m_picture.Row(static_cast<int>(sourceY));
    std::uint8_t* row = target.Row(static_cast<int>(y));
    for (std::int64_t x = left; x < right; ++x) {
      // Drawn at its own size (every load), a picture needs no division per pixel.
      const std::int64_t sourceX = destWidth == sourceWidth ? x - rect.left : (x - rect.left) * sourceWidth / destWidth;
      CompositeOverBlack(sourceRow + sourceX * kavelo::platform::FrameSurface::kBytesPerPixel, row + x * kavelo::platform::FrameSurface::kBytesPerPixel);
    }
  }
  return 0;
}

int COlePicture::TakeAtOwnSize(int width, int height, PixelBuffer& pixels) {
  if (!m_bLoaded || width != m_picture.width || height != m_picture.height) return -1;
  const std::size_t pitch = m_picture.Pitch();
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = m_picture.Row(y);
    for (std::size_t x = 0; x < pitch; x += 4) CompositeOverBlack(row + x, row + x);
  }
  // Top row first to bottom row first, two rows at a time.
  for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
    std::swap_ranges(m_picture.Row(top), m_picture.Row(top) + pitch, m_picture.Row(bottom));
  }
  pixels = std::move(m_picture.pixels);
  Free();
  return 0;
}

void COlePicture::Free() {
  if (!m_bLoaded) return;
  m_picture = DecodedPicture();
  m_himetricWidth = 0;
  m_himetricHeight = 0;
  m_bLoaded = false;
}
