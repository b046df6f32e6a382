#include "image/IconBitmap.h"

#include <algorithm>
#include <array>

#include "image/DeclaredSize.h"
#include "image/IconDirectory.h"
#include "image/PictureDecoder.h"
#include "image/PictureLoadCodes.h"

namespace kavelo::image {
namespace {

constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kUncompressed = 0;

std::uint32_t Little16(const std::uint8_t* p) { return p[0] | (std::uint32_t{p[1]} << 8); }
std::uint32_t Little32(const std::uint8_t* p) { return Little16(p) | (Little16(p + 2) << 16); }

// Rows are padded to whole 32-bit words.
std::uint64_t RowBytes(std::int64_t width, int bits) { return (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4; }

struct Layout {
  std::int64_t width = 0, height = 0;
  int bits = 0;
  std::uint64_t paletteStart = 0, paletteCount = 0;
  std::uint64_t colourStart = 0, colourStride = 0;
  std::uint64_t maskStart = 0, maskStride = 0;
  bool hasMask = false;
};

// Where everything lies; false when the header is one this decoder does not take or the
// colour rows (or, below 32 bits, the mask) do not fit in the entry.
bool ReadLayout(const std::uint8_t* data, std::size_t size, Layout& out) {
  if (size < kInfoHeaderBytes) return false;
  const std::uint32_t headerBytes = Little32(data);
  out.width = static_cast<std::int32_t>(Little32(data + 4));
  out.height = static_cast<std::int32_t>(Little32(data + 8)) / 2;  // colour rows, then as many mask rows
  out.bits = static_cast<int>(Little16(data + 14));
  const std::uint32_t coloursUsed = Little32(data + 32);
  if (headerBytes < kInfoHeaderBytes || headerBytes > size || Little32(data + 16) != kUncompressed) return false;
  if (out.width <= 0 || out.height <= 0 || out.width > kMaxPictureSide || out.height > kMaxPictureSide) return false;
  if (out.bits != 1 && out.bits != 4 && out.bits != 8 && out.bits != 24 && out.bits != 32) return false;
  // Up to 8 bits a colour table is required; deeper pictures may carry one they do not use.
  out.paletteCount = out.bits <= 8 && coloursUsed == 0 ? 1u << out.bits : coloursUsed;
  if (out.bits <= 8 && out.paletteCount > (1u << out.bits)) return false;
  out.paletteStart = headerBytes;
  out.colourStart = out.paletteStart + out.paletteCount * 4;
  out.colourStride = RowBytes(out.width, out.bits);
  out.maskStart = out.colourStart + out.colourStride * static_cast<std::uint64_t>(out.height);
  out.maskStride = RowBytes(out.width, 1);
  out.hasMask = out.maskStart + out.maskStride * static_cast<std::uint64_t>(out.height) <= size;
  return out.maskStart <= size && (out.hasMask || out.bits == 32);
}

}  // namespace

int DecodeIconBitmap(const std::uint8_t* data, std::size_t size, DecodedPicture& picture) {
  Layout l;
  if (data == nullptr || !ReadLayout(data, size, l)) return kPictureNotDecodable;
  const int w = static_cast<int>(l.width), h = static_cast<int>(l.height);
  DecodedPicture out;
  if (!out.Allocate(w, h)) return kPictureNoMemory;

  std::array<std::array<std::uint8_t, 4>, 256> palette{};  // indices past the table are black
  for (std::uint64_t i = 0; l.bits <= 8 && i < l.paletteCount; ++i) {
    std::copy_n(data + l.paletteStart + 4 * i, 3, palette[i].begin());
  }
  bool anyAlpha = false;
  for (int y = 0; y < h; ++y) {
    const std::uint8_t* in = data + l.colourStart + static_cast<std::uint64_t>(h - 1 - y) * l.colourStride;
    std::uint8_t* row = out.Row(y);
    for (int x = 0; x < w; ++x) {
      std::uint8_t* p = row + 4 * x;
      if (l.bits == 32) {
        std::copy_n(in + 4 * x, 4, p);
        anyAlpha |= p[3] != 0;
      } else if (l.bits == 24) {
        std::copy_n(in + 3 * x, 3, p);
        p[3] = 255;
      } else {
        const int bit = x * l.bits;
        const unsigned index = (in[bit / 8] >> (8 - l.bits - bit % 8)) & ((1u << l.bits) - 1);
        std::copy_n(palette[index].begin(), 3, p);
        p[3] = 255;
      }
    }
  }
  // A 32-bit entry with an alpha channel ignores its mask; one whose alpha is all zero
  // was written before icons had alpha, and the mask alone says what shows.
  const bool useMask = l.bits != 32 || !anyAlpha;
  for (int y = 0; useMask && y < h; ++y) {
    const std::uint8_t* mask =
        l.hasMask ? data + l.maskStart + static_cast<std::uint64_t>(h - 1 - y) * l.maskStride : nullptr;
    std::uint8_t* row = out.Row(y);
    for (int x = 0; x < w; ++x) {
      const bool transparent = mask != nullptr && ((mask[x / 8] >> (7 - x % 8)) & 1);
      row[4 * x + 3] = transparent ? 0 : 255;
    }
  }
  picture = std::move(out);
  return kPictureLoaded;
}

int DecodeIcon(const std::uint8_t* bytes, std::size_t size, DecodedPicture& picture) {
  const auto entry = BestIconEntry(bytes, size);
  if (!entry) return kPictureNotDecodable;
  const std::uint8_t* data = bytes + entry->offset;
  if (!entry->png) return DecodeIconBitmap(data, entry->size, picture);
  const DeclaredSize declared = ReadDeclaredSize(data, entry->size);
  if (declared.format != PictureFormat::kPng || !MayDecode(declared)) return kPictureNotDecodable;
  return DecodePicture(PictureFormat::kPng, data, entry->size, picture);
}

}  // namespace kavelo::image
