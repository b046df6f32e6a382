#pragma once
// What one LoadImageBits call hands back, with outputs that start as recognisable
// sentinels so that a failed call can be seen to leave them alone.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "image/LoadImageBits.h"
#include "tests/image/PictureFiles.h"

namespace kavelo::image::test {

struct LoadedPicture {
  static constexpr int kUntouched = -7;
  std::unique_ptr<std::uint8_t[]> pixels;
  int width = kUntouched;
  int height = kUntouched;
  int bitsPerPixel = kUntouched;

  int Load(COlePicture& picture, const std::wstring& path) {
    return LoadImageBits(picture, path, pixels, width, height, bitsPerPixel);
  }
  // The pixel at (x, y) counted from the top-left, as blue, green, red, alpha.
  std::vector<std::uint8_t> At(int x, int y) const {
    const std::uint8_t* p = pixels.get() + (static_cast<std::size_t>(height - 1 - y) * width + x) * 4;
    return {p[0], p[1], p[2], p[3]};
  }
};

// Every pixel of `loaded` matches `expected` (composited over black) within `tolerance`
// per byte, and the sizes match. Pixels within `seam` of the middle row or column are not
// compared: lossy coding blurs the seams between quadrants.
::testing::AssertionResult SamePixels(const LoadedPicture& loaded, const TestPicture& expected, int tolerance,
                                      int seam = 0);

}  // namespace kavelo::image::test
