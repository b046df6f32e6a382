#include <algorithm>
#include <memory>

#include "tests/support/TestFiles.h"

namespace kavelo::test {

// PNG and JPEG by the platform's libraries: SDL_image (sdl/SystemEncoders.cpp), WIC
// (win32/) or the tests' own writers (web/). Then the file as the platform's host keeps
// it: as it is, or on the web with the pixels a browser decodes from it preloaded.
Bytes EncodeBySystem(const TestPicture& picture, Format format);
Bytes Preloaded(const TestPicture& picture, Format format, Bytes file);

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

void Put(Bytes& out, std::uint32_t value, int count) {
  for (int i = 0; i < count; ++i) out.push_back(Byte(value >> (8 * i)));
}

// An entry in BMP form: the info header (its height counting the mask rows), the colour
// table, colour rows and mask rows, bottom-up and padded to 4 bytes.
Bytes EncodeIconBitmap(const TestPicture& picture, IconForm form) {
  const int bits = form == IconForm::kMaskOnly32 ? 32 : static_cast<int>(form), w = picture.width;
  std::vector<std::uint32_t> palette;
  Bytes rows, mask;
  for (int y = picture.height - 1; y >= 0; --y) {
    std::uint32_t acc = 0;
    for (int x = 0; x < w; ++x) {
      const Rgba c = picture.pixels[static_cast<std::size_t>(y * w + x)];
      const std::uint32_t bgr = c.b | (c.g << 8) | (c.r << 16);
      if (bits >= 24) rows.insert(rows.end(), {c.b, c.g, c.r});
      if (bits == 32) rows.push_back(form == IconForm::kMaskOnly32 ? 0 : c.a);
      if (bits <= 8) {
        auto at = std::find(palette.begin(), palette.end(), bgr);
        if (c.a != 0 && at == palette.end()) at = palette.insert(at, bgr);
        acc = acc << bits | (c.a == 0 ? 0 : static_cast<std::uint32_t>(at - palette.begin()));
        if ((x + 1) * bits % 8 == 0 || x == w - 1) rows.push_back(Byte(acc << (8 - (x + 1) * bits % 8) % 8)), acc = 0;
      }
      if (x % 8 == 0) mask.push_back(0);
      if (c.a == 0) mask.back() |= Byte(0x80u >> (x % 8));
    }
    rows.resize((rows.size() + 3) / 4 * 4), mask.resize((mask.size() + 3) / 4 * 4);
  }
  if (bits <= 8 && palette.size() > (1u << bits)) return {};
  Bytes out;
  for (std::uint32_t v : {40, w, 2 * picture.height}) Put(out, v, 4);
  Put(out, 1, 2), Put(out, static_cast<std::uint32_t>(bits), 2);
  for (std::uint32_t v : {0u, 0u, 0u, 0u, static_cast<std::uint32_t>(palette.size()), 0u}) Put(out, v, 4);
  for (std::uint32_t c : palette) Put(out, c, 4);
  out.insert(out.end(), rows.begin(), rows.end());
  out.insert(out.end(), mask.begin(), mask.end());
  return out;
}

// 24 bits, or 32 with an alpha mask (a V4 header); bottom-up.
Bytes EncodeBmp(const TestPicture& picture, bool alpha) {
  const int bytesPerPixel = alpha ? 4 : 3;
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(picture.width) * bytesPerPixel + 3) & ~3u;
  const std::uint32_t headerBytes = alpha ? 108 : 40, offset = 14 + headerBytes;
  const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(picture.height);
  Bytes out = {'B', 'M'};
  Put(out, offset + imageBytes, 4), Put(out, 0, 4), Put(out, offset, 4);
  Put(out, headerBytes, 4), Put(out, picture.width, 4), Put(out, picture.height, 4);  // bottom-up
  Put(out, 1, 2), Put(out, bytesPerPixel * 8, 2), Put(out, alpha ? 3 : 0, 4);        // BI_BITFIELDS for alpha
  Put(out, imageBytes, 4), Put(out, 3780, 4), Put(out, 3780, 4), Put(out, 0, 4), Put(out, 0, 4);
  if (alpha) {
    Put(out, 0x00FF0000, 4), Put(out, 0x0000FF00, 4), Put(out, 0x000000FF, 4), Put(out, 0xFF000000, 4);
    Put(out, 0x73524742, 4);  // sRGB
    out.insert(out.end(), 48, 0);  // end points and gamma, unused for sRGB
  }
  for (int y = picture.height - 1; y >= 0; --y) {
    const std::size_t start = out.size();
    for (int x = 0; x < picture.width; ++x) {
      const Rgba& c = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
      out.insert(out.end(), {c.b, c.g, c.r});
      if (alpha) out.push_back(c.a);
    }
    out.resize(start + rowBytes, 0);
  }
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

Bytes EncodeFile(const TestPicture& picture, Format format) {
  if (format == Format::kGif) return EncodeGif(picture);
  if (format == Format::kBmpTopDown) return TopDown(EncodeBmp(picture, false));
  if (format == Format::kIcon) return EncodeIcon({{picture, IconForm::kBits8}});
  if (format == Format::kBmp24 || format == Format::kBmp32) return EncodeBmp(picture, format == Format::kBmp32);
  return EncodeBySystem(picture, format);
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
  return Preloaded(picture, format, EncodeFile(picture, format));
}

Bytes EncodeIcon(const std::vector<IconImage>& images, bool cursor) {
  Bytes out, data;
  Put(out, 0, 2), Put(out, cursor ? 2 : 1, 2), Put(out, static_cast<std::uint32_t>(images.size()), 2);
  for (const IconImage& image : images) {
    const Bytes entry = image.form == IconForm::kPng ? Encode(image.picture, Format::kPng)
                                                     : EncodeIconBitmap(image.picture, image.form);
    if (entry.empty()) return {};
    // Sides of 256 and more are written as 0; a cursor's two 16-bit fields hold its hot spot.
    out.push_back(Byte(image.picture.width)), out.push_back(Byte(image.picture.height)), Put(out, 0, 2);
    Put(out, cursor ? 3 : 1, 2), Put(out, cursor ? 5 : 32, 2), Put(out, static_cast<std::uint32_t>(entry.size()), 4);
    Put(out, static_cast<std::uint32_t>(6 + 16 * images.size() + data.size()), 4);
    data.insert(data.end(), entry.begin(), entry.end());
  }
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

const char* Suffix(Format format) {
  switch (format) {
    case Format::kPng: return ".png";
    case Format::kJpeg: return ".jpg";
    case Format::kGif: return ".gif";
    case Format::kIcon: return ".ico";
    default: return ".bmp";
  }
}

Bytes Patched(Bytes bytes, std::size_t at, std::uint32_t value, int count, bool big) {
  for (int i = 0; i < count; ++i) bytes.at(at + i) = Byte(value >> (8 * (big ? count - 1 - i : i)));
  return bytes;
}

}  // namespace kavelo::test
