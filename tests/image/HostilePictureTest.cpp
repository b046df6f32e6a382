// Files written to hurt: headers that declare absurd sizes, files cut short, bytes flipped.
// None may crash the loader, leak, or leave the picture object holding anything.

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>

#include "image/DeclaredSize.h"
#include "image/LoadImageBits.h"
#include "image/PictureLoadCodes.h"
#include "tests/image/LoadedPicture.h"
#include "tests/image/PictureFiles.h"

using namespace kavelo::image;
using namespace kavelo::image::test;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Writes `count` bytes of `value` at `at`, most significant first when `big`.
void Put(Bytes& bytes, std::size_t at, std::uint32_t value, int count, bool big) {
  for (int i = 0; i < count; ++i) bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * (big ? count - 1 - i : i)));
}
void PutLittle32(Bytes& bytes, std::size_t at, std::uint32_t value) { Put(bytes, at, value, 4, false); }
void PutBig32(Bytes& bytes, std::size_t at, std::uint32_t value) { Put(bytes, at, value, 4, true); }
void PutLittle16(Bytes& bytes, std::size_t at, std::uint32_t value) { Put(bytes, at, value, 2, false); }
void PutBig16(Bytes& bytes, std::size_t at, std::uint32_t value) { Put(bytes, at, value, 2, true); }

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

const Bytes kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// An image header chunk of the given sides, its checksum right.
Bytes PngHeaderChunk(std::uint32_t width, std::uint32_t height) {
  Bytes chunk = {0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 0, 0, 0, 0, 0, 0, 0, 8, 6, 0, 0, 0, 0, 0, 0, 0};
  PutBig32(chunk, 8, width);
  PutBig32(chunk, 12, height);
  PutBig32(chunk, 21, PngCrc(chunk.data() + 4, 17));
  return chunk;
}

Bytes BmpHeader(std::uint32_t headerSize, std::uint32_t width, std::uint32_t height) {
  Bytes bytes(14 + headerSize, 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  PutLittle32(bytes, 14, headerSize);
  if (headerSize == 12) {
    PutLittle16(bytes, 18, width);
    PutLittle16(bytes, 20, height);
  } else {
    PutLittle32(bytes, 18, width);
    PutLittle32(bytes, 22, height);
  }
  return bytes;
}

// A GIF's screen of the given sides with a two-colour table, then a comment.
Bytes GifScreen(std::uint32_t width, std::uint32_t height) {
  Bytes bytes = {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0, 0x80, 0, 0, 0, 0, 0, 255, 255, 255,
                 0x21, 0xFE, 3, 'h', 'i', '!', 0};
  PutLittle16(bytes, 6, width);
  PutLittle16(bytes, 8, height);
  return bytes;
}
Bytes GifFrame(std::uint32_t width, std::uint32_t height) {
  Bytes bytes = {0x2C, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 2, 0x4C, 0x01, 0};
  PutLittle16(bytes, 5, width);
  PutLittle16(bytes, 7, height);
  return bytes;
}

// A JPEG start, an application segment, then a frame header of the given marker and sides.
Bytes JpegUpToFrame(std::uint8_t marker, std::uint32_t width, std::uint32_t height) {
  Bytes bytes = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0,
                 0xFF, 0xFF, marker, 0, 11, 8, 0, 0, 0, 0, 1, 1, 0x11, 0};
  PutBig16(bytes, 26, height);
  PutBig16(bytes, 28, width);
  return bytes;
}

struct FormatCase {
  const char* file;
  std::function<bool(const std::filesystem::path&)> write;
  bool partialDataMayLoad;  // a decoder that fills in a picture cut short instead of refusing it
  std::size_t trailer;      // closing bytes that carry no pixels: a cut there may go unnoticed
};

std::vector<FormatCase> GoodFiles() {
  return {
      {"good.png", [](const auto& path) { return WritePng(Gradient(16, 16), path); }, false, 12},
      {"good24.bmp", [](const auto& path) { return WriteBmp(Gradient(16, 16), path, false); }, false, 0},
      {"good32.bmp", [](const auto& path) { return WriteBmp(Gradient(16, 16), path, true); }, false, 0},
      {"good.gif", [](const auto& path) { return WriteBytes(path, EncodeGif(Gradient(16, 16))); }, true, 0},
      {"good.jpg", [](const auto& path) { return WriteJpeg(Quadrants(16), path); }, true, 0},
  };
}

// Loads `bytes` from a file; a success must deliver a whole picture of sane size, and
// every call must leave the object holding nothing.
::testing::AssertionResult LoadsSafely(COlePicture& picture, const ScratchFolder& folder, const Bytes& bytes,
                                       int& code) {
  if (!WriteBytes(folder.Path("hostile"), bytes)) return ::testing::AssertionFailure() << "cannot write";
  LoadedPicture loaded;
  code = loaded.Load(picture, folder.WidePath("hostile"));
  if (picture.GetHimetricWidth() != 0) return ::testing::AssertionFailure() << "the object still holds a picture";
  if (code != kPictureLoaded) {
    if (loaded.width != LoadedPicture::kUntouched || loaded.pixels) return ::testing::AssertionFailure() << "outputs written";
    return ::testing::AssertionSuccess();
  }
  if (loaded.width <= 0 || loaded.height <= 0 || loaded.width > kMaxPictureSide || loaded.height > kMaxPictureSide ||
      loaded.bitsPerPixel != 32) {
    return ::testing::AssertionFailure() << "loaded " << loaded.width << " x " << loaded.height;
  }
  // Touch the last byte, so that the address sanitizer checks the buffer's length.
  volatile std::uint8_t last = loaded.pixels[static_cast<std::size_t>(loaded.width) * loaded.height * 4 - 1];
  (void)last;
  return ::testing::AssertionSuccess();
}

}  // namespace

TEST(ImageHostile, HeadersDeclareTheirFormatAndSize) {
  const struct Case {
    const char* what;
    Bytes bytes;
    PictureFormat format;
    std::int64_t width, height;
  } cases[] = {
      {"a PNG", Concat({kPngSignature, PngHeaderChunk(100000, 100000)}), PictureFormat::kPng, 100000, 100000},
      {"a PNG with sides over 31 bits", Concat({kPngSignature, PngHeaderChunk(0xFFFFFFFF, 1)}), PictureFormat::kPng,
       0xFFFFFFFFll, 1},
      {"a PNG cut inside its header", Concat({kPngSignature, Bytes{0, 0, 0, 13, 'I', 'H', 'D', 'R', 0, 1}}),
       PictureFormat::kPng, 0, 0},
      {"a PNG whose first chunk is no header", Concat({kPngSignature, Bytes{0, 0, 0, 13, 'I', 'D', 'A', 'T', 0, 0, 1, 0,
                                                                            0, 0, 1, 0}}),
       PictureFormat::kPng, 0, 0},
      {"a BMP of the oldest kind", BmpHeader(12, 300, 200), PictureFormat::kBmp, 300, 200},
      {"a BMP", BmpHeader(40, 70000, 1), PictureFormat::kBmp, 70000, 1},
      {"a top-down BMP", BmpHeader(40, 5, static_cast<std::uint32_t>(-70000)), PictureFormat::kBmp, 5, 70000},
      {"a BMP of the most negative height", BmpHeader(124, 1, 0x80000000u), PictureFormat::kBmp, 1, 2147483648ll},
      {"a BMP cut inside its header", Bytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 40, 0, 0, 0, 5},
       PictureFormat::kBmp, 0, 0},
      {"a GIF screen alone", GifScreen(65535, 2), PictureFormat::kGif, 65535, 2},
      {"a GIF frame beyond its screen", Concat({GifScreen(10, 10), GifFrame(12, 9000), Bytes{0x3B}}),
       PictureFormat::kGif, 12, 9000},
      {"a later GIF frame", Concat({GifScreen(10, 10), GifFrame(1, 1), GifFrame(9000, 2), Bytes{0x3B}}),
       PictureFormat::kGif, 9000, 10},
      {"a JPEG", JpegUpToFrame(0xC0, 9000, 16), PictureFormat::kJpeg, 9000, 16},
      {"a progressive JPEG", JpegUpToFrame(0xC2, 640, 480), PictureFormat::kJpeg, 640, 480},
      {"a JPEG whose huffman table looks like a frame", JpegUpToFrame(0xC4, 640, 480), PictureFormat::kJpeg, 0, 0},
      {"a JPEG whose data starts before any frame", JpegUpToFrame(0xDA, 640, 480), PictureFormat::kJpeg, 0, 0},
      {"text", Bytes{'h', 'e', 'l', 'l', 'o'}, PictureFormat::kUnknown, 0, 0},
      {"nothing", Bytes{}, PictureFormat::kUnknown, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const DeclaredSize declared = ReadDeclaredSize(c.bytes.data(), c.bytes.size());
    EXPECT_EQ(declared.format, c.format);
    EXPECT_EQ(declared.width, c.width);
    EXPECT_EQ(declared.height, c.height);
    // Every prefix is read within its bounds, and none declares more than the whole.
    for (std::size_t cut = 0; cut < c.bytes.size(); ++cut) {
      const Bytes prefix(c.bytes.begin(), c.bytes.begin() + static_cast<std::ptrdiff_t>(cut));
      const DeclaredSize partial = ReadDeclaredSize(prefix.data(), prefix.size());
      EXPECT_LE(partial.width, std::max(c.width, std::int64_t{65535}));
    }
  }
}

TEST(ImageHostile, AbsurdDeclaredSizesAreRefused) {
  ScratchFolder folder;
  ASSERT_TRUE(WritePng(Gradient(4, 4), folder.Path("small.png")));
  ASSERT_TRUE(WriteBmp(Gradient(4, 4), folder.Path("small.bmp"), false));
  ASSERT_TRUE(WriteJpeg(Gradient(4, 4), folder.Path("small.jpg")));
  const Bytes png = ReadBytes(folder.Path("small.png"));
  const Bytes bmp = ReadBytes(folder.Path("small.bmp"));
  const Bytes jpeg = ReadBytes(folder.Path("small.jpg"));
  const Bytes gif = EncodeGif(Gradient(4, 4));
  ASSERT_TRUE(!png.empty() && !bmp.empty() && !jpeg.empty() && !gif.empty());

  const auto pngOf = [&](std::uint32_t width, std::uint32_t height) {
    Bytes bytes = png;
    const Bytes header = PngHeaderChunk(width, height);
    std::copy(header.begin() + 8, header.begin() + 16, bytes.begin() + 16);  // the sides
    PutBig32(bytes, 29, PngCrc(bytes.data() + 12, 17));
    return bytes;
  };
  const auto bmpOf = [&](std::uint32_t width, std::uint32_t height) {
    Bytes bytes = bmp;
    PutLittle32(bytes, 18, width);
    PutLittle32(bytes, 22, height);
    return bytes;
  };
  const auto gifOf = [&](std::uint32_t screenWidth, std::uint32_t frameHeight) {
    Bytes bytes = gif;
    PutLittle16(bytes, 6, screenWidth);
    PutLittle16(bytes, 13 + 768 + 7, frameHeight);  // after the screen and its 256 colours
    return bytes;
  };
  const auto jpegOf = [&](std::uint32_t width) {
    Bytes bytes = jpeg;
    for (std::size_t at = 2; at + 9 < bytes.size(); ++at) {
      if (bytes[at] == 0xFF && bytes[at + 1] == 0xC0) {
        PutBig16(bytes, at + 7, width);
        break;
      }
    }
    return bytes;
  };

  const struct Case {
    const char* what;
    Bytes bytes;
  } cases[] = {
      {"a PNG of 100000 x 100000", pngOf(100000, 100000)},
      {"a PNG of 8193 x 4", pngOf(kMaxPictureSide + 1, 4)},
      {"a PNG of 4 x 4294967295", pngOf(4, 0xFFFFFFFF)},
      {"a BMP of 70000 x 1", bmpOf(70000, 1)},
      {"a BMP of 1 x -70000", bmpOf(1, static_cast<std::uint32_t>(-70000))},
      {"a BMP of 4 x the most negative height", bmpOf(4, 0x80000000u)},
      {"a GIF of a 9000 wide screen", gifOf(9000, 4)},
      {"a GIF of a 9000 high frame", gifOf(4, 9000)},
      {"a JPEG of 9000 x 4", jpegOf(9000)},
  };
  COlePicture picture;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    int code = 0;
    EXPECT_TRUE(LoadsSafely(picture, folder, c.bytes, code));
    EXPECT_EQ(code, kPictureNotDecodable);
  }
}

TEST(ImageHostile, TheLargestSideLoadsAndOneMoreDoesNot) {
  const struct Case {
    int width, height, code;
  } cases[] = {
      {kMaxPictureSide, 1, kPictureLoaded},
      {1, kMaxPictureSide, kPictureLoaded},
      {kMaxPictureSide + 1, 1, kPictureNotDecodable},
      {1, kMaxPictureSide + 1, kPictureNotDecodable},
  };
  ScratchFolder folder;
  COlePicture picture;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
    ASSERT_TRUE(WritePng(Gradient(c.width, c.height), folder.Path("long.png")));
    LoadedPicture loaded;
    EXPECT_EQ(loaded.Load(picture, folder.WidePath("long.png")), c.code);
    if (c.code == kPictureLoaded) {
      EXPECT_EQ(loaded.width, c.width);
      EXPECT_EQ(loaded.height, c.height);
    }
  }
}

TEST(ImageHostile, FilesCutShortAreRefusedOrLoadWhole) {
  ScratchFolder folder;
  COlePicture picture;
  for (const FormatCase& format : GoodFiles()) {
    SCOPED_TRACE(format.file);
    ASSERT_TRUE(format.write(folder.Path(format.file)));
    const Bytes whole = ReadBytes(folder.Path(format.file));
    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
      SCOPED_TRACE("cut at " + std::to_string(cut));
      int code = 0;
      ASSERT_TRUE(LoadsSafely(picture, folder, Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut)), code));
      if (cut == 0) {
        EXPECT_EQ(code, kPictureEmptyFile);
      } else if (!format.partialDataMayLoad && cut + format.trailer < whole.size()) {
        EXPECT_EQ(code, kPictureNotDecodable);
      } else {
        EXPECT_TRUE(code == kPictureNotDecodable || code == kPictureLoaded) << code;
      }
    }
  }
}

TEST(ImageHostile, FlippedBytesNeverBreakTheLoader) {
  ScratchFolder folder;
  COlePicture picture;
  for (const FormatCase& format : GoodFiles()) {
    SCOPED_TRACE(format.file);
    ASSERT_TRUE(format.write(folder.Path(format.file)));
    const Bytes whole = ReadBytes(folder.Path(format.file));
    int refused = 0;
    for (std::size_t at = 0; at < whole.size(); ++at) {
      for (std::uint8_t flip : {0xFF, 0x80, 0x01}) {
        SCOPED_TRACE("byte " + std::to_string(at) + " ^ " + std::to_string(flip));
        Bytes corrupt = whole;
        corrupt[at] ^= flip;
        int code = 0;
        ASSERT_TRUE(LoadsSafely(picture, folder, corrupt, code));
        EXPECT_TRUE(code == kPictureNotDecodable || code == kPictureLoaded) << code;
        refused += code != kPictureLoaded;
      }
    }
    EXPECT_GT(refused, 0) << "no corruption was noticed at all";
  }
}
