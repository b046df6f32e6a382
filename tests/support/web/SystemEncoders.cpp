// The browser's module has no encoders: PNG is stored uncompressed, JPEG in flat grey.
#include <algorithm>

#include "tests/support/TestFiles.h"

extern "C" int KaveloWebAddPicture(const std::uint8_t*, std::size_t, const std::uint8_t*, int, int);

namespace kavelo::test {
namespace {

void Big(Bytes& out, std::uint32_t value, int count = 4) {
  while (count-- > 0) out.push_back(std::uint8_t(value >> 8 * count));
}

void Chunk(Bytes& out, const char* type, const Bytes& data) {
  Big(out, std::uint32_t(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4), out.insert(out.end(), data.begin(), data.end());
  std::uint32_t crc = ~0u;
  for (std::size_t i = start * 8; i < out.size() * 8; ++i) {  // bit by bit, lowest first
    crc = crc >> 1 ^ ((crc ^ out[i / 8] >> i % 8) & 1) * 0xEDB88320u;
  }
  Big(out, ~crc);
}

Bytes Png(const TestPicture& picture) {
  Bytes head, rows, z = {0x78, 0x01};
  Big(head, picture.width), Big(head, picture.height), head.insert(head.end(), {8, 6, 0, 0, 0});
  const auto* pixels = reinterpret_cast<const std::uint8_t*>(picture.pixels.data());
  for (int y = 0, row = 4 * picture.width; y < picture.height; ++y) {
    rows.push_back(0), rows.insert(rows.end(), pixels + y * row, pixels + (y + 1) * row);
  }
  std::uint32_t a = 1, b = 0;
  for (std::size_t at = 0, n; at < rows.size(); at += n) {  // stored deflate blocks
    n = std::min<std::size_t>(rows.size() - at, 65535);
    const std::uint8_t last = at + n == rows.size();
    z.insert(z.end(), {last, std::uint8_t(n), std::uint8_t(n >> 8), std::uint8_t(~n), std::uint8_t(~n >> 8)});
    z.insert(z.end(), rows.begin() + at, rows.begin() + at + n);
  }
  for (std::uint8_t v : rows) a = (a + v) % 65521, b = (b + a) % 65521;
  Big(z, b << 16 | a);
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Chunk(out, "IHDR", head), Chunk(out, "IDAT", z), Chunk(out, "IEND", {});
  return out;
}

// Baseline, one component, every coefficient 0 (Huffman tables of the one code '0').
Bytes Jpeg(const TestPicture& picture) {
  Bytes out = {0xFF, 0xD8, 0xFF, 0xDB, 0, 67, 0};
  out.insert(out.end(), 64, 1);
  out.insert(out.end(), {0xFF, 0xC0, 0, 11, 8}), Big(out, picture.height, 2), Big(out, picture.width, 2);
  out.insert(out.end(), {1, 1, 0x11, 0, 0xFF, 0xC4, 0, 20, 0x00, 1}), out.insert(out.end(), 16, 0);
  out.insert(out.end(), {0xFF, 0xC4, 0, 20, 0x10, 1}), out.insert(out.end(), 16, 0);
  out.insert(out.end(), {0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 63, 0});
  const int blocks = (picture.width + 7) / 8 * ((picture.height + 7) / 8);  // two bits each
  out.insert(out.end(), blocks / 4, 0);
  if (blocks % 4 != 0) out.push_back(std::uint8_t(0xFF >> 2 * (blocks % 4)));
  out.insert(out.end(), {0xFF, 0xD9});
  return out;
}

}  // namespace

Bytes EncodeBySystem(const TestPicture& picture, Format format) {
  return format == Format::kPng ? Png(picture) : format == Format::kJpeg ? Jpeg(picture) : Bytes{};
}

// As a page does with each picture file: the pixels a browser shows for it handed to the
// plug-in ahead of use (refused when the plug-in decodes it itself or it declares too much).
Bytes Preloaded(const TestPicture& picture, Format format, Bytes file) {
  const TestPicture shown = format == Format::kJpeg ? Solid(picture.width, picture.height, {128, 128, 128}) : picture;
  KaveloWebAddPicture(file.data(), file.size(), reinterpret_cast<const std::uint8_t*>(shown.pixels.data()),
                      shown.width, shown.height);
  return file;
}

}  // namespace kavelo::test
