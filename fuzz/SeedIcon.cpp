// Icon files: a directory, then each entry, either a BMP without its file header (its
// height doubled for the transparency mask after the colour rows) or a whole PNG.
#include <algorithm>

#include "fuzz/SeedEncoders.h"

namespace kavelo::fuzz {
namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;

std::vector<std::uint8_t> BitmapEntry(const SeedPicture& picture, SeedFormat bmp) {
  const std::vector<std::uint8_t> file = EncodeBmp(picture, bmp);
  if (file.size() < kFileHeaderBytes + kInfoHeaderBytes) return {};
  std::vector<std::uint8_t> entry(file.begin() + kFileHeaderBytes, file.end());
  std::vector<std::uint8_t> height;
  PutLe32(height, static_cast<std::uint32_t>(2 * picture.height));
  std::copy(height.begin(), height.end(), entry.begin() + 8);
  // The mask: one bit a pixel, rows padded to 4 bytes, set where the picture is clear.
  const std::size_t maskRow = (static_cast<std::size_t>(picture.width) + 31) / 32 * 4;
  for (int y = picture.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(maskRow, 0);
    for (int x = 0; x < picture.width; ++x) {
      if (picture.rgba[(static_cast<std::size_t>(y) * picture.width + x) * 4 + 3] == 0) row[x / 8] |= 0x80 >> (x % 8);
    }
    entry.insert(entry.end(), row.begin(), row.end());
  }
  return entry;
}

}  // namespace

std::vector<std::uint8_t> EncodeIcon(const SeedPicture& picture, SeedFormat format) {
  std::vector<std::vector<std::uint8_t>> entries;
  if (format == SeedFormat::kIconPng) {
    entries.push_back(EncodeWithSdl(picture, SeedFormat::kPng));
  } else {
    entries.push_back(BitmapEntry(picture, SeedFormat::kBmpPalette8));
    entries.push_back(BitmapEntry(picture, SeedFormat::kBmp24));
  }
  std::vector<std::uint8_t> out;
  PutLe16(out, 0);
  PutLe16(out, 1);
  PutLe16(out, static_cast<std::uint32_t>(entries.size()));
  std::size_t offset = 6 + 16 * entries.size();
  for (const auto& entry : entries) {
    if (entry.empty()) return {};
    out.insert(out.end(), {static_cast<std::uint8_t>(picture.width), static_cast<std::uint8_t>(picture.height), 0, 0});
    PutLe16(out, 1);
    PutLe16(out, 0);  // the depth is read from the entry itself
    PutLe32(out, static_cast<std::uint32_t>(entry.size()));
    PutLe32(out, static_cast<std::uint32_t>(offset));
    offset += entry.size();
  }
  for (const auto& entry : entries) out.insert(out.end(), entry.begin(), entry.end());
  return out;
}

}  // namespace kavelo::fuzz
