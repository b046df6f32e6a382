// Files written to hurt: headers that declare absurd sizes, files cut short, bytes flipped.
// None may crash the loader, leak, or leave the picture object holding anything.

#include <gtest/gtest.h>

#include <tuple>

#include "image/DeclaredSize.h"
#include "image/PictureLoadCodes.h"
#include "tests/image/PictureFiles.h"

using namespace kavelo::image;
using namespace kavelo::image::test;

namespace {

// Loads `bytes` from a file. A success hands over a whole picture of a sane size, a failure
// touches no output, and either way the object is left holding nothing.
int LoadSafely(const Bytes& bytes) {
  COlePicture picture;
  LoadedPicture loaded;
  const int code = loaded.Load(picture, Written("hostile", bytes));
  EXPECT_EQ(picture.GetHimetricWidth(), 0) << "the object still holds a picture";
  const bool sane = loaded.pixels && std::min(loaded.width, loaded.height) > 0 &&
                    std::max(loaded.width, loaded.height) <= kMaxPictureSide && loaded.bitsPerPixel == 32;
  EXPECT_TRUE(code == kPictureLoaded ? sane : loaded.Untouched() && !loaded.pixels) << code << ", " << loaded.width;
  if (code == kPictureLoaded && sane) {
    // Read the last byte, so that the address sanitizer checks the buffer's length.
    volatile std::uint8_t last = loaded.pixels[static_cast<std::size_t>(loaded.width) * loaded.height * 4 - 1];
    static_cast<void>(last);
  }
  return code;
}

}  // namespace

TEST(ImageHostile, HeadersDeclaringTooMuchAreRefusedBeforeDecoding) {
  const Bytes png = Encode(Gradient(4, 4), Format::kPng), bmp = Encode(Gradient(4, 4), Format::kBmp24);
  const Bytes gif = Encode(Gradient(4, 4), Format::kGif), jpeg = Encode(Gradient(4, 4), Format::kJpeg);
  const auto pngOf = [&](auto w, auto h) { return Patched(Patched(png, 16, w, 4, true), 20, h, 4, true); };
  const auto bmpOf = [&](auto w, auto h) { return Patched(Patched(bmp, 18, w, 4, false), 22, h, 4, false); };
  // The GIF's frame header follows its 13-byte screen, 256 colours and 8-byte control block.
  // One copy has that frame made 9000 high; another gets a second frame, made 9000 wide.
  const Bytes gifFrame = Patched(gif, 13 + 768 + 8 + 7, 9000, 2, false);
  Bytes twoFrames(gif.begin(), gif.end() - 1);  // the trailer replaced by the control block and frame again
  twoFrames.insert(twoFrames.end(), gif.begin() + 13 + 768, gif.end());
  const Bytes icon = EncodeIcon({{Gradient(2, 2), IconForm::kPng}});  // its PNG follows a directory of one
  std::size_t sof = 2;  // the JPEG's frame header
  while (sof + 9 < jpeg.size() && !(jpeg[sof] == 0xFF && jpeg[sof + 1] == 0xC0)) ++sof;
  const Bytes wideJpeg = Patched(jpeg, sof + 7, 9000, 2, true);
  // A decoder passes over bytes that are no block or marker; the size check must too, or a
  // tiny file makes the decoder allocate for an absurd size.
  const auto behind = [](Bytes bytes, std::size_t at, std::initializer_list<std::uint8_t> stray) {
    bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), stray);
    return bytes;
  };
  using enum PictureFormat;
  const struct Case { const char* what; Bytes bytes; PictureFormat format; std::int64_t width, height; } cases[] = {
      {"a PNG of 100000 x 4294967295", pngOf(100000, 0xFFFFFFFF), kPng, 100000, 0xFFFFFFFF},
      {"a PNG of 8193 x 1", Encode(Gradient(kMaxPictureSide + 1, 1), Format::kPng), kPng, kMaxPictureSide + 1, 1},
      {"a PNG of 1 x 8193", Encode(Gradient(1, kMaxPictureSide + 1), Format::kPng), kPng, 1, kMaxPictureSide + 1},
      {"a PNG whose first chunk is no header", Patched(png, 15, 'Q', 1, true), kPng, 0, 0},
      {"a top-down BMP of 70000 x 70000", bmpOf(70000, 0u - 70000u), kBmp, 70000, 70000},
      {"a BMP of the most negative height", bmpOf(4, 0x80000000u), kBmp, 4, 2147483648},
      {"a GIF of a 9000 wide screen and 9000 high frame", Patched(gifFrame, 6, 9000, 2, false), kGif, 9000, 9000},
      {"a GIF whose second frame is 9000 wide", Patched(twoFrames, gif.size() + 12, 9000, 2, false), kGif, 9000, 4},
      {"a GIF frame 9000 high behind a stray byte", behind(gifFrame, 13 + 768 + 8, {0x04}), kGif, 4, 9000},
      {"a JPEG of 9000 x 4", wideJpeg, kJpeg, 9000, 4},
      {"a JPEG of 9000 x 4 behind a stray byte", behind(wideJpeg, 2, {0x00}), kJpeg, 9000, 4},
      {"a JPEG of 9000 x 4 behind a stuffed FF 00", behind(wideJpeg, 2, {0xFF, 0x00, 0x00, 0x04}), kJpeg, 9000, 4},
      {"a JPEG of 9000 x 4 behind a comment of bogus length", behind(wideJpeg, 2, {0xFF, 0xFE, 0, 0}), kJpeg, 9000, 4},
      {"a JPEG whose frame marker names a table", Patched(jpeg, sof + 1, 0xC4, 1, true), kJpeg, 0, 0},
      {"a JPEG whose data starts before its frame", Patched(jpeg, 3, 0xDA, 1, true), kJpeg, 0, 0},
      {"an icon whose PNG entry is 100000 x 2", Patched(icon, 6 + 16 + 16, 100000, 4, true), kIcon, 100000, 2},
      {"text", Bytes{'h', 'e', 'l', 'l', 'o'}, kUnknown, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const DeclaredSize declared = ReadDeclaredSize(c.bytes.data(), c.bytes.size());
    EXPECT_EQ(std::tuple(declared.format, declared.width, declared.height), std::tuple(c.format, c.width, c.height));
    EXPECT_EQ(MayDecode(declared), c.format != kUnknown && std::max(c.width, c.height) <= kMaxPictureSide);
    EXPECT_EQ(LoadSafely(c.bytes), kPictureNotDecodable);
  }
}

TEST(ImageHostile, FilesCutShortOrCorruptedAreRefusedOrLoadWhole) {
  // A GIF or JPEG decoder fills in a picture cut short instead of refusing it; a PNG's last
  // 12 bytes carry no pixels and may go missing unnoticed.
  const struct Case { Format format; bool partialDataMayLoad; std::size_t trailer; } cases[] = {
      {Format::kPng, false, 12}, {Format::kBmp24, false, 0}, {Format::kBmp32, false, 0},
      {Format::kGif, true, 0},   {Format::kJpeg, true, 0},  {Format::kIcon, false, 0},
  };
  constexpr std::size_t kSamples = 40;
  for (const Case& c : cases) {
    const Bytes whole = Encode(Gradient(16, 16, Alpha::kKeyed), c.format);
    ASSERT_GT(whole.size(), kSamples);
    for (std::size_t i = 0; i <= kSamples; ++i) {
      const std::size_t at = i * (whole.size() - 1) / kSamples;
      SCOPED_TRACE("format " + std::to_string(static_cast<int>(c.format)) + ", byte " + std::to_string(at));
      const int cut = LoadSafely(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(at)));
      const bool mayLoad = at > 0 && (c.partialDataMayLoad || at + c.trailer >= whole.size());
      EXPECT_TRUE(cut == (at == 0 ? kPictureEmptyFile : kPictureNotDecodable) || (mayLoad && cut == kPictureLoaded));
      const int code = LoadSafely(Patched(whole, at, whole[at] ^ (0x80u >> (i % 8)), 1, false));  // one bit flipped
      EXPECT_TRUE(code == kPictureNotDecodable || code == kPictureLoaded) << code;
    }
  }
}
