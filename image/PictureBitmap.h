#pragma once
// The drawing side of a picture load: the device a picture is measured for, a rectangle
// on it, and the 32-bit bitmap a picture is drawn into before its pixels are read back.

#include <cstdint>
#include <memory>

#include "image/Himetric.h"

namespace kavelo::image {

// A device's resolution, which turns a picture's HIMETRIC size into pixels.
struct PictureDevice {
  int pixelsPerInchX = kDisplayPixelsPerInch;
  int pixelsPerInchY = kDisplayPixelsPerInch;
};

// Edges in pixels; right and bottom lie just outside.
struct PictureRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Width x height pixels of 4 bytes (blue, green, red, alpha), rows top-down without gaps.
class CPictureBitmap {
 public:
  static constexpr int kBytesPerPixel = 4;
  static constexpr int kBitsPerPixel = 32;

  // Replaces any earlier pixels with width x height pixels, every byte 0. False, and no
  // pixels, when a side is not positive, the size overflows, or memory runs out.
  bool Create(int width, int height);
  void Release();

  bool Empty() const { return m_pixels == nullptr; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  // Row y counted from the top; y must lie within the bitmap.
  std::uint8_t* Row(int y) { return m_pixels.get() + RowOffset(y); }
  const std::uint8_t* Row(int y) const { return m_pixels.get() + RowOffset(y); }

 private:
  std::size_t RowOffset(int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) * kBytesPerPixel;
  }

  std::unique_ptr<std::uint8_t[]> m_pixels;
  int m_width = 0;
  int m_height = 0;
};

}  // namespace kavelo::image
