#include <gtest/gtest.h>

#include <sys/stat.h>

#include <functional>

#include "image/LoadImageBits.h"
#include "image/PictureLoadCodes.h"
#include "tests/image/LoadedPicture.h"
#include "tests/image/PictureFiles.h"

using namespace kavelo::image;
using namespace kavelo::image::test;

namespace {

using Writer = std::function<bool(const TestPicture&, const std::filesystem::path&)>;

bool WriteGif(const TestPicture& picture, const std::filesystem::path& path) {
  const std::vector<std::uint8_t> bytes = EncodeGif(picture);
  return !bytes.empty() && WriteBytes(path, bytes);
}
bool WriteBmp24(const TestPicture& picture, const std::filesystem::path& path) { return WriteBmp(picture, path, false); }
bool WriteBmp32(const TestPicture& picture, const std::filesystem::path& path) { return WriteBmp(picture, path, true); }

}  // namespace

TEST(ImageLoading, EveryFormatArrivesBottomUpInItsOwnColours) {
  struct Case {
    const char* file;
    Writer write;
    TestPicture picture;
    int tolerance;  // lossy coding moves colours a little
    int seam;       // and blurs the seams between its quadrants
  } cases[] = {
      {"gradient.png", WritePng, Gradient(16, 16), 0, 0},
      {"gradient24.bmp", WriteBmp24, Gradient(16, 16), 0, 0},
      {"gradient32.bmp", WriteBmp32, Gradient(16, 16), 0, 0},
      {"gradient.gif", WriteGif, Gradient(16, 16), 0, 0},
      {"odd.png", WritePng, Gradient(7, 3), 0, 0},
      {"odd.bmp", WriteBmp24, Gradient(7, 3), 0, 0},
      {"quadrants.jpg", WriteJpeg, Quadrants(32), 6, 2},
  };
  ScratchFolder folder;
  COlePicture picture;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    ASSERT_TRUE(c.write(c.picture, folder.Path(c.file)));
    LoadedPicture loaded;
    ASSERT_EQ(loaded.Load(picture, folder.WidePath(c.file)), kPictureLoaded);
    EXPECT_TRUE(SamePixels(loaded, c.picture, c.tolerance, c.seam));
    // The buffer's first pixel is the bottom-left one.
    const std::vector<std::uint8_t> bottomLeft = ExpectedBgra(c.picture.At(0, c.picture.height - 1));
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(loaded.pixels[i], bottomLeft[i], c.tolerance);
    EXPECT_EQ(picture.GetHimetricWidth(), 0) << "the loader keeps nothing between calls";
  }
}

TEST(ImageLoading, TranslucentPixelsAreCompositedOverBlackAndKeepTheirAlpha) {
  // One row of the same colour at falling alpha, and what each pixel must become.
  const std::uint8_t alphas[] = {255, 254, 200, 128, 1, 0};
  const std::vector<std::uint8_t> expected[] = {
      {50, 100, 200, 255}, {49, 99, 199, 254}, {39, 78, 156, 200}, {25, 50, 100, 128}, {0, 0, 0, 1}, {0, 0, 0, 0},
  };
  TestPicture row{6, 1, {}};
  for (std::uint8_t alpha : alphas) row.pixels.push_back({200, 100, 50, alpha});

  const struct Case {
    const char* file;
    Writer write;
  } cases[] = {{"row.png", WritePng}, {"row.bmp", WriteBmp32}};
  ScratchFolder folder;
  COlePicture picture;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    ASSERT_TRUE(c.write(row, folder.Path(c.file)));
    LoadedPicture loaded;
    ASSERT_EQ(loaded.Load(picture, folder.WidePath(c.file)), kPictureLoaded);
    for (int x = 0; x < 6; ++x) EXPECT_EQ(loaded.At(x, 0), expected[x]) << "alpha " << int{alphas[x]};
  }

  // A GIF knows only opaque and transparent.
  const TestPicture keyed{2, 1, {{200, 100, 50, 255}, {9, 9, 9, 0}}};
  ASSERT_TRUE(WriteGif(keyed, folder.Path("keyed.gif")));
  LoadedPicture loaded;
  ASSERT_EQ(loaded.Load(picture, folder.WidePath("keyed.gif")), kPictureLoaded);
  EXPECT_EQ(loaded.At(0, 0), (std::vector<std::uint8_t>{50, 100, 200, 255}));
  EXPECT_EQ(loaded.At(1, 0), (std::vector<std::uint8_t>{0, 0, 0, 0}));
}

TEST(ImageLoading, FailuresReportTheirCodeAndTouchNoOutput) {
  ScratchFolder folder;
  ASSERT_TRUE(WriteBytes(folder.Path("empty.png"), {}));
  ASSERT_TRUE(WriteBytes(folder.Path("notes.png"), {'j', 'u', 's', 't', ' ', 't', 'e', 'x', 't', '\n'}));
  ASSERT_TRUE(WriteBytes(folder.Path("targa.tga"), {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 24, 0, 1, 2, 3}));
  std::filesystem::create_directory(folder.Path("folder.png"));
  ASSERT_EQ(::mkfifo(folder.Path("pipe.png").c_str(), 0600), 0);
  ASSERT_TRUE(WritePng(Gradient(4, 4), folder.Path("good.png")));

  const struct Case {
    const char* what;
    std::wstring path;
    int code;
  } cases[] = {
      {"a missing file", folder.WidePath("missing.png"), kPictureCannotOpen},
      {"a directory", folder.WidePath("folder.png"), kPictureCannotOpen},
      {"a pipe, which must not block", folder.WidePath("pipe.png"), kPictureCannotOpen},
      {"a device", L"/dev/zero", kPictureCannotOpen},
      {"an empty path", L"", kPictureCannotOpen},
      {"a NUL cutting the path short", folder.WidePath("good.png") + std::wstring(1, L'\0') + L"x", kPictureCannotOpen},
      {"an empty file", folder.WidePath("empty.png"), kPictureEmptyFile},
      {"a text file", folder.WidePath("notes.png"), kPictureNotDecodable},
      {"a format this loader does not take", folder.WidePath("targa.tga"), kPictureNotDecodable},
  };
  COlePicture picture;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoadedPicture loaded;
    auto* const before = new std::uint8_t[1]{42};
    loaded.pixels.reset(before);
    EXPECT_EQ(loaded.Load(picture, c.path), c.code);
    EXPECT_EQ(loaded.pixels.get(), before);
    EXPECT_EQ(loaded.width, LoadedPicture::kUntouched);
    EXPECT_EQ(loaded.height, LoadedPicture::kUntouched);
    EXPECT_EQ(loaded.bitsPerPixel, LoadedPicture::kUntouched);
    EXPECT_EQ(picture.Load(folder.WidePath("good.png")), kPictureLoaded) << "the object was left holding a picture";
    picture.Free();
  }
}

TEST(ImageLoading, OneObjectServesLoadAfterLoad) {
  ScratchFolder folder;
  ASSERT_TRUE(WritePng(Gradient(16, 16), folder.Path("first.png")));
  ASSERT_TRUE(WriteBmp(Gradient(32, 8), folder.Path("second.bmp"), false));
  COlePicture picture;
  LoadedPicture first, second;
  ASSERT_EQ(first.Load(picture, folder.WidePath("first.png")), kPictureLoaded);
  ASSERT_EQ(second.Load(picture, folder.WidePath("second.bmp")), kPictureLoaded);
  EXPECT_TRUE(SamePixels(first, Gradient(16, 16), 0));
  EXPECT_TRUE(SamePixels(second, Gradient(32, 8), 0));
}

TEST(ImageLoading, AnObjectHoldingAPictureRefusesTheNextAndKeepsIt) {
  ScratchFolder folder;
  ASSERT_TRUE(WritePng(Gradient(16, 16), folder.Path("held.png")));
  ASSERT_TRUE(WritePng(Gradient(8, 4), folder.Path("next.png")));
  COlePicture picture;
  ASSERT_EQ(picture.Load(folder.WidePath("held.png")), kPictureLoaded);
  EXPECT_EQ(picture.Load(folder.WidePath("next.png")), kPictureCannotOpen);
  LoadedPicture loaded;
  EXPECT_EQ(loaded.Load(picture, folder.WidePath("next.png")), kPictureCannotOpen);
  EXPECT_EQ(loaded.width, LoadedPicture::kUntouched);
  EXPECT_EQ(picture.GetWidth(PictureDevice{}), 16);
  EXPECT_EQ(picture.GetHeight(PictureDevice{}), 16);

  picture.Free();
  EXPECT_EQ(picture.GetWidth(PictureDevice{}), 0);
  ASSERT_EQ(loaded.Load(picture, folder.WidePath("next.png")), kPictureLoaded);
  EXPECT_TRUE(SamePixels(loaded, Gradient(8, 4), 0));
}
