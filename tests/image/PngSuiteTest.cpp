// The PNG conformance suite: pictures made outside the project, covering every colour
// type, bit depth, interlacing and transparency chunk, each with a BMP twin of the same
// pixels, and a set of deliberately broken files.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "image/LoadImageBits.h"
#include "image/PictureLoadCodes.h"
#include "tests/image/LoadedPicture.h"

using namespace kavelo::image;
using namespace kavelo::image::test;

namespace {

const std::filesystem::path kSuite = std::filesystem::path(KAVELO_TESTDATA_DIR) / "pngsuite";

std::vector<std::filesystem::path> SuitePngs() {
  std::vector<std::filesystem::path> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(kSuite / "png", error)) {
    if (entry.path().extension() == ".png") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

bool IsBroken(const std::filesystem::path& file) { return file.filename().string().front() == 'x'; }
// What the comparison allows: the twin's converter rounded sixteen-bit samples to eight
// bits where the decoder keeps the high byte, so in a picture with sixteen-bit samples a
// byte may differ by one (seen in the grey ones). Every other picture, alpha and
// transparency chunks included, must match byte for byte after both are composited over
// black: the twins keep their colour under alpha 0, which compositing turns to black.
bool HasSixteenBitSamples(const std::filesystem::path& file) { return file.stem().string().ends_with("16"); }

}  // namespace

TEST(ImagePngSuite, EveryValidPictureMatchesItsBmpTwin) {
  if (!std::filesystem::is_directory(kSuite)) GTEST_SKIP() << "no PNG suite at " << kSuite;
  COlePicture picture;
  int compared = 0;
  for (const auto& png : SuitePngs()) {
    if (IsBroken(png)) continue;
    SCOPED_TRACE(png.filename().string());
    const std::filesystem::path twin = kSuite / "bmp" / png.filename().replace_extension(".bmp");
    LoadedPicture fromPng, fromBmp;
    ASSERT_EQ(fromPng.Load(picture, png.wstring()), kPictureLoaded);
    ASSERT_EQ(fromBmp.Load(picture, twin.wstring()), kPictureLoaded);
    ASSERT_EQ(fromPng.width, fromBmp.width);
    ASSERT_EQ(fromPng.height, fromBmp.height);
    ASSERT_EQ(fromPng.bitsPerPixel, 32);

    const int tolerance = HasSixteenBitSamples(png) ? 1 : 0;
    int worst = 0;
    const std::size_t bytes = static_cast<std::size_t>(fromPng.width) * fromPng.height * 4;
    for (std::size_t i = 0; i < bytes; ++i) {
      worst = std::max(worst, std::abs(int{fromPng.pixels[i]} - int{fromBmp.pixels[i]}));
    }
    EXPECT_LE(worst, tolerance);
    ++compared;
  }
  EXPECT_GT(compared, 150);
}

TEST(ImagePngSuite, EveryBrokenFileIsRefused) {
  if (!std::filesystem::is_directory(kSuite)) GTEST_SKIP() << "no PNG suite at " << kSuite;
  COlePicture picture;
  int refused = 0;
  for (const auto& png : SuitePngs()) {
    if (!IsBroken(png)) continue;
    SCOPED_TRACE(png.filename().string());
    LoadedPicture loaded;
    EXPECT_EQ(loaded.Load(picture, png.wstring()), kPictureNotDecodable);
    EXPECT_EQ(loaded.width, LoadedPicture::kUntouched);
    ++refused;
  }
  EXPECT_EQ(refused, 14);
}
