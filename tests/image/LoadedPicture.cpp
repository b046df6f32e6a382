#include "tests/image/LoadedPicture.h"

#include <cstdlib>

namespace kavelo::image::test {

::testing::AssertionResult SamePixels(const LoadedPicture& loaded, const TestPicture& expected, int tolerance,
                                      int seam) {
  if (!loaded.pixels || loaded.width != expected.width || loaded.height != expected.height || loaded.bitsPerPixel != 32) {
    return ::testing::AssertionFailure() << "loaded " << loaded.width << " x " << loaded.height << " at "
                                         << loaded.bitsPerPixel << " bits, expected " << expected.width << " x "
                                         << expected.height << " at 32";
  }
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      if (std::abs(2 * x + 1 - expected.width) < 2 * seam || std::abs(2 * y + 1 - expected.height) < 2 * seam) continue;
      const std::vector<std::uint8_t> want = ExpectedBgra(expected.At(x, y));
      const std::vector<std::uint8_t> got = loaded.At(x, y);
      for (int i = 0; i < 4; ++i) {
        if (std::abs(int{got[i]} - int{want[i]}) > tolerance) {
          return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") byte " << i << " is " << int{got[i]}
                                               << ", expected " << int{want[i]} << " +- " << tolerance;
        }
      }
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace kavelo::image::test
