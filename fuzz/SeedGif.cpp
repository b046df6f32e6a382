// GIF files with a global colour table, optionally a transparent entry and a second
// frame. The picture data is LZW at 9 bits a code, reset often enough that no longer
// codes are ever needed: valid for every decoder, only not compressed.
#include <algorithm>

#include "fuzz/SeedEncoders.h"

namespace kavelo::fuzz {
namespace {

constexpr unsigned kMinCodeSize = 8;
constexpr unsigned kClearCode = 1u << kMinCodeSize;
constexpr unsigned kEndCode = kClearCode + 1;
constexpr unsigned kCodeBits = kMinCodeSize + 1;
// Each literal after the first adds a table entry; the table must stay below 512 entries
// for the codes to keep 9 bits, so the table is reset well before.
constexpr unsigned kLiteralsPerClear = 250;
constexpr std::size_t kMaxSubBlock = 255;

class BitPacker {
 public:
  void Put(unsigned code) {
    m_buffer |= code << m_bits;
    m_bits += kCodeBits;
    while (m_bits >= 8) {
      m_bytes.push_back(static_cast<std::uint8_t>(m_buffer));
      m_buffer >>= 8;
      m_bits -= 8;
    }
  }
  std::vector<std::uint8_t> Finish() {
    if (m_bits > 0) m_bytes.push_back(static_cast<std::uint8_t>(m_buffer));
    return std::move(m_bytes);
  }

 private:
  std::vector<std::uint8_t> m_bytes;
  std::uint32_t m_buffer = 0;
  unsigned m_bits = 0;
};

void PutFrame(std::vector<std::uint8_t>& out, int left, int top, int width, int height,
              const std::vector<std::uint8_t>& indices, int stride) {
  out.push_back(0x2C);
  PutLe16(out, static_cast<std::uint32_t>(left));
  PutLe16(out, static_cast<std::uint32_t>(top));
  PutLe16(out, static_cast<std::uint32_t>(width));
  PutLe16(out, static_cast<std::uint32_t>(height));
  out.push_back(0);  // no colour table of its own, not interlaced
  out.push_back(kMinCodeSize);

  BitPacker packer;
  unsigned sinceClear = kLiteralsPerClear;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (sinceClear == kLiteralsPerClear) {
        packer.Put(kClearCode);
        sinceClear = 0;
      }
      packer.Put(indices[static_cast<std::size_t>(y) * stride + x]);
      ++sinceClear;
    }
  }
  packer.Put(kEndCode);
  const std::vector<std::uint8_t> data = packer.Finish();
  for (std::size_t at = 0; at < data.size(); at += kMaxSubBlock) {
    const std::size_t n = std::min(kMaxSubBlock, data.size() - at);
    out.push_back(static_cast<std::uint8_t>(n));
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
               data.begin() + static_cast<std::ptrdiff_t>(at + n));
  }
  out.push_back(0);
}

void PutTransparency(std::vector<std::uint8_t>& out, std::uint8_t index) {
  out.insert(out.end(), {0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, index, 0x00});
}

}  // namespace

std::vector<std::uint8_t> EncodeGif(const SeedPicture& picture, SeedFormat format) {
  IndexedPicture indexed;
  if (picture.width > 0xFFFF || picture.height > 0xFFFF || !ToIndexed(picture, indexed)) return {};
  unsigned tableBits = 1;
  while ((1u << tableBits) < indexed.colours.size()) ++tableBits;

  std::vector<std::uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
  PutLe16(out, static_cast<std::uint32_t>(picture.width));
  PutLe16(out, static_cast<std::uint32_t>(picture.height));
  out.push_back(static_cast<std::uint8_t>(0x80 | 0x70 | (tableBits - 1)));
  out.push_back(0);  // background colour
  out.push_back(0);  // square pixels
  for (unsigned i = 0; i < (1u << tableBits); ++i) {
    const std::uint32_t colour = i < indexed.colours.size() ? indexed.colours[i] : 0;
    out.insert(out.end(), {static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(colour >> 8),
                           static_cast<std::uint8_t>(colour >> 16)});
  }
  if (format == SeedFormat::kGifTransparent) PutTransparency(out, indexed.indices[0]);
  PutFrame(out, 0, 0, picture.width, picture.height, indexed.indices, picture.width);
  if (format == SeedFormat::kGifTwoFrames) {
    const int width = std::max(1, picture.width / 2);
    const int height = std::max(1, picture.height / 2);
    PutFrame(out, picture.width - width, picture.height - height, width, height, indexed.indices, picture.width);
  }
  out.push_back(0x3B);
  return out;
}

}  // namespace kavelo::fuzz
