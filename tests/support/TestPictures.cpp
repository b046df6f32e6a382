#ifndef _WIN32
#include <SDL.h>
#include <SDL_image.h>
#endif

#include <algorithm>
#include <memory>

#include "tests/support/TestFiles.h"

namespace kavelo::test {

// PNG, JPEG and BMP by the system's libraries: SDL on Linux, WIC on Windows
// (win32/SystemEncoders.cpp).
Bytes EncodeBySystem(const TestPicture& picture, Format format);

namespace {

std::uint8_t Byte(std::uint32_t value) { return static_cast<std::uint8_t>(value); }

Bytes EncodeGif(const TestPicture& picture) {
  std::vector<std::uint32_t> colours = {0};  // entry 0 is the transparent colour
  Bytes data;                                // 9-bit codes, least significant bit first
  std::uint32_t bits = 0, count = 0;
  const auto put = [&](std::uint32_t code) {
    for (bits |= code << count, count += 9; count >= 8; count -= 8, bits >>= 8) data.push_back(Byte(bits));
  };
  for (const Rgba& c : picture.pixels) {
    const std::uint32_t key = c.a == 0 ? 0 : (1u << 24) | (c.r << 16) | (c.g << 8) | c.b;
    auto at = std::find(colours.begin(), colours.end(), key);
    if (at == colours.end()) at = colours.insert(at, key);
    put(256);  // a clear code before each pixel keeps the code table from growing
    put(static_cast<std::uint32_t>(at - colours.begin()));
  }
  put(257);
  data.insert(data.end(), 2 - data.size() % 2, Byte(bits));  // the last bits, padded to whole sub-blocks
  if (colours.size() > 256) return {};
  colours.resize(256);
  const std::uint8_t w0 = Byte(picture.width), w1 = Byte(picture.width >> 8);
  const std::uint8_t h0 = Byte(picture.height), h1 = Byte(picture.height >> 8);
  Bytes out = {'G', 'I', 'F', '8', '9', 'a', w0, w1, h0, h1, 0xF7, 0, 0};  // 256 colours follow
  for (std::uint32_t c : colours) out.insert(out.end(), {Byte(c >> 16), Byte(c >> 8), Byte(c)});
  // A control block naming entry 0 transparent, then the frame: its place, sides and code size.
  out.insert(out.end(), {0x21, 0xF9, 4, 1, 0, 0, 0, 0, 0x2C, 0, 0, 0, 0, w0, w1, h0, h1, 0, 8});
  // Sub-blocks of two bytes each: small, yet enough for the decoder to join a 9-bit code.
  for (std::size_t at = 0; at < data.size(); at += 2) out.insert(out.end(), {2, data[at], data[at + 1]});
  out.insert(out.end(), {0, 0x3B});
  return out;
}

// Rows reversed and the height made negative: the same picture, stored top-down.
Bytes TopDown(Bytes bmp) {
  const std::uint32_t offset = bmp[10] | bmp[11] << 8, height = bmp[22] | bmp[23] << 8;
  const std::size_t row = (bmp.size() - offset) / std::max(1u, height);
  for (std::uint32_t y = 0; y < height / 2; ++y) {
    std::swap_ranges(bmp.begin() + offset + y * row, bmp.begin() + offset + (y + 1) * row,
                     bmp.begin() + offset + (height - 1 - y) * row);
  }
  return Patched(bmp, 22, 0u - height, 4, false);
}

}  // namespace

TestPicture Gradient(int width, int height, Alpha alpha) {
  TestPicture picture{width, height, {}};
  for (int i = 0; i < width * height; ++i) {
    const int x = i % width * 255 / std::max(1, width - 1), y = i / width * 255 / std::max(1, height - 1);
    const int a = alpha == Alpha::kFading ? 255 - x : alpha == Alpha::kKeyed && x == 255 ? 0 : 255;
    picture.pixels.push_back({Byte(x), Byte(y), 40, Byte(a)});
  }
  return picture;
}

TestPicture Solid(int width, int height, Rgba colour) {
  return {width, height, std::vector<Rgba>(static_cast<std::size_t>(width) * height, colour)};
}

Bytes Encode(const TestPicture& picture, Format format) {
  if (format == Format::kGif) return EncodeGif(picture);
  if (format == Format::kBmpTopDown) return TopDown(Encode(picture, Format::kBmp24));
  return EncodeBySystem(picture, format);
}

#ifndef _WIN32
Bytes EncodeBySystem(const TestPicture& picture, Format format) {
  using Surface = std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)>;
  const Surface rgba(SDL_CreateRGBSurfaceWithFormatFrom(const_cast<Rgba*>(picture.pixels.data()), picture.width,
                     picture.height, 32, picture.width * 4, SDL_PIXELFORMAT_RGBA32), SDL_FreeSurface);
  const Surface rgb(rgba ? SDL_ConvertSurfaceFormat(rgba.get(), SDL_PIXELFORMAT_BGR24, 0) : nullptr, SDL_FreeSurface);
  Bytes bytes(static_cast<std::size_t>(picture.width) * picture.height * 8 + 65536);
  SDL_RWops* out = rgb ? SDL_RWFromMem(bytes.data(), static_cast<int>(bytes.size())) : nullptr;
  if (out == nullptr) return {};
  SDL_Surface* const source = format == Format::kBmp32 || format == Format::kPng ? rgba.get() : rgb.get();
  const int failed = format == Format::kPng ? IMG_SavePNG_RW(source, out, 0)
                     : format == Format::kJpeg ? IMG_SaveJPG_RW(source, out, 0, 100) : SDL_SaveBMP_RW(source, out, 0);
  bytes.resize(failed ? 0 : static_cast<std::size_t>(SDL_RWtell(out)));
  SDL_RWclose(out);
  return bytes;
}
#endif

const char* Suffix(Format format) {
  switch (format) {
    case Format::kPng: return ".png";
    case Format::kJpeg: return ".jpg";
    case Format::kGif: return ".gif";
    default: return ".bmp";
  }
}

Bytes Patched(Bytes bytes, std::size_t at, std::uint32_t value, int count, bool big) {
  for (int i = 0; i < count; ++i) bytes.at(at + i) = Byte(value >> (8 * (big ? count - 1 - i : i)));
  return bytes;
}

}  // namespace kavelo::test
