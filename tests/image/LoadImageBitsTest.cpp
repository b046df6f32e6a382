#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <optional>

#include "image/DeclaredSize.h"
#include "image/Himetric.h"
#include "image/PictureLoadCodes.h"
#include "tests/image/PictureFiles.h"

using namespace kavelo::image;
using namespace kavelo::image::test;

TEST(ImageLoading, EveryFormatArrivesBottomUpCompositedOverBlackUpToTheLargestSide) {
  const struct Case { const char* file; Format format; TestPicture picture; int tolerance; } cases[] = {
      {"fading.png", Format::kPng, Gradient(16, 9, Alpha::kFading), 0},
      {"fading.bmp", Format::kBmp32, Gradient(12, 5, Alpha::kFading), 0},
      {"odd.bmp", Format::kBmp24, Gradient(7, 3), 0},  // rows padded to 4 bytes
      {"top-down.bmp", Format::kBmpTopDown, Gradient(7, 3), 0},
      {"keyed.gif", Format::kGif, Gradient(16, 16, Alpha::kKeyed), 0},
      {"lossy.jpg", Format::kJpeg, Gradient(16, 16), 12},  // neighbours differ by 17
      {"wide.png", Format::kPng, Gradient(kMaxPictureSide, 1), 0},
      {"tall.png", Format::kPng, Gradient(1, kMaxPictureSide), 0},
  };
  COlePicture picture;  // serves every load in turn: each call lets its picture go again
  for (const Case& c : cases) {
    LoadedPicture loaded;
    ASSERT_EQ(loaded.Load(picture, Written(c.file, Encode(c.picture, c.format))), kPictureLoaded) << c.file;
    EXPECT_TRUE(SamePixels(loaded, c.picture, c.tolerance)) << c.file;
  }
}

TEST(ImageLoading, FailuresReportTheirCodeAndTouchNoOutput) {
  const std::wstring good = Written("good.png", Encode(Gradient(4, 2), Format::kPng));
  const std::wstring pipe = Pipe("pipe.png");
  ASSERT_FALSE(pipe.empty());
  // `held`: the object holds a picture before the call.
  const struct Case { const char* what; std::wstring path; int code; bool held = false; } cases[] = {
      {"a missing file", Scratch("missing.png").wstring(), kPictureCannotOpen},
      {"a pipe, which must not block", pipe, kPictureCannotOpen},
      {"a NUL cutting the path short", good + std::wstring(1, L'\0') + L"x", kPictureCannotOpen},
      {"an empty file", Written("empty.png", {}), kPictureEmptyFile},
      {"a text file", Written("notes.png", {'t', 'e', 'x', 't'}), kPictureNotDecodable},
      {"an object already holding a picture", good, kPictureCannotOpen, true},
  };
  COlePicture picture;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.held ? picture.Load(good) : 0, 0);
    LoadedPicture loaded;
    const std::uint8_t* const before = (loaded.pixels = std::make_unique<std::uint8_t[]>(1)).get();
    EXPECT_EQ(loaded.Load(picture, c.path), c.code);
    EXPECT_TRUE(loaded.Untouched() && loaded.pixels.get() == before);
    EXPECT_EQ(picture.GetWidth({}), c.held ? 4 : 0) << "a held picture stays, and only then is one held";
    picture.Free();
  }
}

TEST(ImageSize, APictureMeasuresItselfInHimetricAndEachDeviceInItsOwnPixels) {
  const struct Case { int width, height, himetricX, himetricY; PictureDevice device; int deviceX, deviceY; } cases[] = {
      {96, 48, 2540, 1270, {}, 96, 48},
      {32, 32, 847, 847, {}, 32, 32},
      {32, 32, 847, 847, {192, 48}, 64, 16},
  };
  COlePicture picture;
  for (const Case& c : cases) {
    ASSERT_EQ(picture.Load(Written("sized.png", Encode(Gradient(c.width, c.height), Format::kPng))), kPictureLoaded);
    EXPECT_EQ((std::array{picture.GetHimetricWidth(), picture.GetHimetricHeight(), picture.GetWidth(c.device),
                          picture.GetHeight(c.device)}), (std::array{c.himetricX, c.himetricY, c.deviceX, c.deviceY}));
    picture.Free();
  }
  // Every side a picture may have comes back from its HIMETRIC size unchanged.
  for (int side = 1; side <= kMaxPictureSide; ++side) {
    ASSERT_EQ(HimetricToPixels(PixelsToHimetric(side, kDisplayPixelsPerInch), kDisplayPixelsPerInch), side);
  }
}

// The PNG conformance suite: pictures made outside the project, covering every colour type,
// bit depth, interlacing and transparency chunk, each with a BMP twin of the same pixels,
// and deliberately broken files whose names start with 'x'.
TEST(ImagePngSuite, ValidPicturesMatchTheirBmpTwinsAndBrokenOnesAreRefused) {
  const std::filesystem::path suite = std::filesystem::path(KAVELO_TESTDATA_DIR) / "pngsuite";
  if (!std::filesystem::is_directory(suite)) GTEST_SKIP() << "no PNG suite at " << suite;
  int compared = 0, refused = 0;
  COlePicture picture;
  for (const auto& entry : std::filesystem::directory_iterator(suite / "png")) {
    const std::filesystem::path& png = entry.path();
    SCOPED_TRACE(png.filename().string());
    LoadedPicture fromPng, fromBmp;
    const int code = fromPng.Load(picture, png.wstring());
    if (png.filename().string().front() == 'x') {
      EXPECT_TRUE(code == kPictureNotDecodable && fromPng.Untouched()) << code;
      ++refused;
      continue;
    }
    const std::filesystem::path bmp = suite / "bmp" / png.filename().replace_extension(".bmp");
    ASSERT_TRUE(code == kPictureLoaded && fromBmp.Load(picture, bmp.wstring()) == kPictureLoaded) << code;
    ASSERT_TRUE(fromPng.width == fromBmp.width && fromPng.height == fromBmp.height && fromPng.bitsPerPixel == 32);
    // The twins' converter rounded sixteen-bit samples to eight bits where the decoder keeps
    // the high byte, so there a byte may differ by one. Every other picture must match byte
    // for byte once both are composited over black (which blackens colour under alpha 0).
    const int tolerance = png.stem().string().ends_with("16") ? 1 : 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(fromPng.width) * fromPng.height * 4; ++i) {
      ASSERT_LE(std::abs(fromPng.pixels[i] - fromBmp.pixels[i]), tolerance) << "byte " << i;
    }
    ++compared;
  }
  EXPECT_GT(compared, 150);
  EXPECT_EQ(refused, 14);
}

TEST(ImageIcons, TheLargestDeepestEntryArrivesLikeAnyPictureAndBrokenDirectoriesAreRefused) {
  const TestPicture fading = Gradient(16, 9, Alpha::kFading), keyed = Gradient(16, 16, Alpha::kKeyed);
  const TestPicture big = Gradient(20, 20, Alpha::kKeyed), two = Gradient(2, 2, Alpha::kKeyed);
  using enum IconForm;
  // The deeper of the two largest entries comes after the shallower one and a larger side.
  const Bytes multi = EncodeIcon({{Gradient(30, 2), kBits24}, {Gradient(20, 20), kBits24}, {big, kBits32}, {keyed, kBits32}});
  const Bytes single = EncodeIcon({{keyed, kBits8}});
  const struct Case { const char* what; Bytes bytes; std::optional<TestPicture> expected; } cases[] = {
      {"32 bits with alpha", EncodeIcon({{fading, kBits32}}), fading},
      {"8 bits with a mask", single, keyed},
      {"4 bits, rows of an odd number of pixels", EncodeIcon({{Gradient(3, 2, Alpha::kKeyed), kBits4}}), Gradient(3, 2, Alpha::kKeyed)},
      {"1 bit", EncodeIcon({{two, kBits1}}), two},
      {"32 bits whose alpha is all zero: the mask counts", EncodeIcon({{keyed, kMaskOnly32}}), keyed},
      {"a cursor of 24 bits", EncodeIcon({{keyed, kBits24}}, true), keyed},
      {"several sizes: the largest and deepest", multi, big},
      {"a PNG entry beside a smaller one", EncodeIcon({{two, kBits32}, {fading, kPng}}), fading},
      {"cut short", Bytes(single.begin(), single.end() - 1), std::nullopt},
      {"an entry's offset past the end", Patched(single, 18, static_cast<std::uint32_t>(single.size()), 4, false), std::nullopt},
      {"an entry's size past the end", Patched(single, 14, 0xFFFFFFF0u, 4, false), std::nullopt},
      {"more entries than the file holds", Patched(single, 4, 60, 2, false), std::nullopt},
      {"an entry of 16 bits", Patched(single, 22 + 14, 16, 2, false), std::nullopt},
  };
  COlePicture picture;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoadedPicture loaded;
    const int code = loaded.Load(picture, Written("icon.ico", c.bytes));
    EXPECT_EQ(code, c.expected ? kPictureLoaded : kPictureNotDecodable);
    EXPECT_TRUE(c.expected ? SamePixels(loaded, *c.expected) : loaded.Untouched() && !loaded.pixels);
  }
}
