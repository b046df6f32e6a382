#pragma once
// A picture's own measure is its size in HIMETRIC units (hundredths of a millimetre);
// a device turns it into pixels through its resolution. Pixels are what a 96 dpi
// display shows, so a picture's natural size is its pixel size.

#include <cstdint>
#include <limits>

namespace kavelo::image {

inline constexpr int kHimetricPerInch = 2540;
// Every display is taken as 96 pixels to the inch, the resolution a picture's pixel
// size is measured at.
inline constexpr int kDisplayPixelsPerInch = 96;

// value * numerator / denominator through a 64-bit product, rounded to the nearest
// integer, halves away from zero; -1 when the denominator is 0 or the result does not
// fit in an int.
constexpr int MulDivRound(int value, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(value) * numerator;
  const bool negative = (product < 0) != (denominator < 0);
  const std::uint64_t magnitude = product < 0 ? 0 - static_cast<std::uint64_t>(product)
                                              : static_cast<std::uint64_t>(product);
  const std::uint64_t divisor = denominator < 0 ? 0 - static_cast<std::uint64_t>(static_cast<std::int64_t>(denominator))
                                                : static_cast<std::uint64_t>(denominator);
  const std::uint64_t quotient = (magnitude + divisor / 2) / divisor;
  if (quotient > static_cast<std::uint64_t>(std::numeric_limits<int>::max())) return -1;
  const int result = static_cast<int>(quotient);
  return negative ? -result : result;
}

constexpr int HimetricToPixels(int himetric, int pixelsPerInch) {
  return MulDivRound(himetric, pixelsPerInch, kHimetricPerInch);
}

constexpr int PixelsToHimetric(int pixels, int pixelsPerInch) {
  return MulDivRound(pixels, kHimetricPerInch, pixelsPerInch);
}

}  // namespace kavelo::image
