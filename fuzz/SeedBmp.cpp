// BMP files in the header forms the loader meets: 12, 40 and 124 bytes, bottom-up and
// top-down rows, 8, 24 and 32 bits per pixel.
#include "fuzz/SeedEncoders.h"

namespace kavelo::fuzz {
namespace {

constexpr std::uint32_t kFileHeaderBytes = 14;
constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kV5HeaderBytes = 124;
constexpr std::uint32_t kBitFields = 3;

std::uint32_t RowBytes(int width, int bits) { return ((static_cast<std::uint32_t>(width) * bits + 31) / 32) * 4; }

// The pixel rows in file order (bottom-up unless `topDown`), each padded to 4 bytes.
std::vector<std::uint8_t> PixelRows(const SeedPicture& picture, int bits, bool topDown, const IndexedPicture* indexed) {
  const std::uint32_t rowBytes = RowBytes(picture.width, bits);
  std::vector<std::uint8_t> rows;
  for (int fileRow = 0; fileRow < picture.height; ++fileRow) {
    const int y = topDown ? fileRow : picture.height - 1 - fileRow;
    std::vector<std::uint8_t> row;
    for (int x = 0; x < picture.width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * picture.width + x;
      if (indexed != nullptr) {
        row.push_back(indexed->indices[i]);
        continue;
      }
      const std::uint8_t* p = &picture.rgba[i * 4];
      row.insert(row.end(), {p[2], p[1], p[0]});
      if (bits == 32) row.push_back(p[3]);
    }
    row.resize(rowBytes, 0);
    rows.insert(rows.end(), row.begin(), row.end());
  }
  return rows;
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const SeedPicture& picture, SeedFormat format) {
  IndexedPicture indexed;
  const bool palette = format == SeedFormat::kBmpPalette8;
  if (palette && !ToIndexed(picture, indexed)) return {};
  const int bits = palette ? 8 : format == SeedFormat::kBmp32V5 ? 32 : 24;
  const bool topDown = format == SeedFormat::kBmpTopDown;
  const std::uint32_t headerBytes = format == SeedFormat::kBmpCore  ? kCoreHeaderBytes
                                    : format == SeedFormat::kBmp32V5 ? kV5HeaderBytes
                                                                     : kInfoHeaderBytes;
  if (format == SeedFormat::kBmpCore && (picture.width > 0xFFFF || picture.height > 0xFFFF)) return {};

  const std::vector<std::uint8_t> rows = PixelRows(picture, bits, topDown, palette ? &indexed : nullptr);
  const std::uint32_t paletteBytes = palette ? static_cast<std::uint32_t>(indexed.colours.size()) * 4 : 0;
  const std::uint32_t offset = kFileHeaderBytes + headerBytes + paletteBytes;

  std::vector<std::uint8_t> out = {'B', 'M'};
  PutLe32(out, offset + static_cast<std::uint32_t>(rows.size()));
  PutLe32(out, 0);
  PutLe32(out, offset);
  PutLe32(out, headerBytes);
  if (headerBytes == kCoreHeaderBytes) {
    PutLe16(out, static_cast<std::uint32_t>(picture.width));
    PutLe16(out, static_cast<std::uint32_t>(picture.height));
    PutLe16(out, 1);
    PutLe16(out, static_cast<std::uint32_t>(bits));
  } else {
    PutLe32(out, static_cast<std::uint32_t>(picture.width));
    PutLe32(out, static_cast<std::uint32_t>(topDown ? -picture.height : picture.height));
    PutLe16(out, 1);
    PutLe16(out, static_cast<std::uint32_t>(bits));
    PutLe32(out, bits == 32 ? kBitFields : 0);
    PutLe32(out, static_cast<std::uint32_t>(rows.size()));
    PutLe32(out, 3780);  // 96 pixels to the inch
    PutLe32(out, 3780);
    PutLe32(out, palette ? static_cast<std::uint32_t>(indexed.colours.size()) : 0);
    PutLe32(out, 0);
    if (headerBytes == kV5HeaderBytes) {
      PutLe32(out, 0x00FF0000);  // red, green, blue and alpha masks
      PutLe32(out, 0x0000FF00);
      PutLe32(out, 0x000000FF);
      PutLe32(out, 0xFF000000);
      PutLe32(out, 0x73524742);  // the sRGB colour space
      out.resize(kFileHeaderBytes + kV5HeaderBytes, 0);  // end points, gamma, intent, profile: none
    }
  }
  for (std::uint32_t colour : indexed.colours) {
    out.insert(out.end(), {static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
                           static_cast<std::uint8_t>(colour), 0});
  }
  out.insert(out.end(), rows.begin(), rows.end());
  return out;
}

}  // namespace kavelo::fuzz
