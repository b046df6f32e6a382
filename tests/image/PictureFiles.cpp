#include "tests/image/PictureFiles.h"

#include <cstdlib>

#include "tests/support/ScratchFolder.h"

namespace kavelo::image::test {

std::filesystem::path Scratch(const std::string& name) {
  static const kavelo::test::ScratchFolder folder("kavelo-image");
  return folder.Dir() / name;
}

std::wstring Written(const std::string& name, const Bytes& bytes) {
  EXPECT_TRUE(WriteFile(Scratch(name).string(), bytes)) << "cannot write " << name;
  return Scratch(name).wstring();
}

::testing::AssertionResult SamePixels(const LoadedPicture& loaded, const TestPicture& expected, int tolerance) {
  const int w = expected.width, h = expected.height;
  if (!loaded.pixels || loaded.width != w || loaded.height != h || loaded.bitsPerPixel != 32) {
    return ::testing::AssertionFailure() << "loaded " << loaded.width << " x " << loaded.height;
  }
  for (int i = 0; i < w * h * 4; ++i) {
    const int x = i / 4 % w, y = i / 4 / w;
    const Rgba c = expected.pixels[static_cast<std::size_t>(i / 4)];
    const int want[4] = {c.b * c.a / 255, c.g * c.a / 255, c.r * c.a / 255, c.a};
    const int got = loaded.pixels[static_cast<std::size_t>(((h - 1 - y) * w + x) * 4 + i % 4)];  // bottom row first
    if (std::abs(got - want[i % 4]) > tolerance) {
      return ::testing::AssertionFailure() << "(" << x << ", " << y << ") byte " << i % 4 << " is " << got;
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace kavelo::image::test
