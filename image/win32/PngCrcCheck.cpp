#include "image/win32/PngCrcCheck.h"

#include <array>

namespace kavelo::image {
namespace {

constexpr std::size_t kSignatureBytes = 8;

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}
constexpr auto kCrcTable = MakeCrcTable();

std::uint32_t Crc(const std::uint8_t* bytes, std::size_t size) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) c = kCrcTable[(c ^ bytes[i]) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint32_t Big32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

}  // namespace

bool PngCriticalChunksIntact(const std::uint8_t* bytes, std::size_t size) {
  std::size_t at = kSignatureBytes;
  // Each chunk: length, type, data, CRC (over type and data).
  while (at <= size && size - at >= 12) {
    const std::uint64_t length = Big32(bytes + at);
    if (length > size - at - 12) break;  // runs past the end
    const std::uint8_t* type = bytes + at + 4;
    const bool critical = (type[0] & 0x20) == 0;
    if (critical && Crc(type, 4 + length) != Big32(type + 4 + length)) return false;
    if (type[0] == 'I' && type[1] == 'E' && type[2] == 'N' && type[3] == 'D') break;
    at += 12 + length;
  }
  return true;
}

}  // namespace kavelo::image
