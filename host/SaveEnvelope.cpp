#include "SaveEnvelope.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

#include "logic/SaveBytes.h"

namespace kavelo::host {
namespace {

constexpr unsigned char kMagic[4] = {'K', 'V', 'L', 'S'};
constexpr std::size_t kEnvelopeBytes = 16;

// CRC-32 as zip and PNG have it (reflected, polynomial 0xEDB88320), eight bytes a step:
// table k gives the remainder of a byte followed by k zero bytes.
using CrcTables = std::array<std::array<std::uint32_t, 256>, 8>;
constexpr CrcTables kCrcTables = [] {
  CrcTables tables{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    tables[0][n] = c;
  }
  for (std::size_t k = 1; k < tables.size(); ++k) {
    for (std::size_t n = 0; n < 256; ++n) tables[k][n] = (tables[k - 1][n] >> 8) ^ tables[0][tables[k - 1][n] & 0xFF];
  }
  return tables;
}();

std::uint32_t Little32(const unsigned char* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[3]} << 24;
}

std::uint32_t Crc32(const unsigned char* bytes, std::size_t size) {
  const CrcTables& t = kCrcTables;
  std::uint32_t crc = 0xFFFFFFFFu;
  for (; size >= 8; bytes += 8, size -= 8) {
    const std::uint32_t low = Little32(bytes) ^ crc;
    const std::uint32_t high = Little32(bytes + 4);
    crc = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^
          t[3][high & 0xFF] ^ t[2][(high >> 8) & 0xFF] ^ t[1][(high >> 16) & 0xFF] ^ t[0][high >> 24];
  }
  for (; size > 0; ++bytes, --size) crc = t[0][(crc ^ *bytes) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

}  // namespace

std::vector<unsigned char> SealSave(const std::vector<unsigned char>& body, std::uint32_t version) {
  logic::ByteWriter out;
  out.Bytes(kMagic, sizeof kMagic);
  out.U32(version);
  out.U32(static_cast<std::uint32_t>(body.size()));
  out.U32(Crc32(body.data(), body.size()));
  out.Bytes(body.data(), body.size());
  return std::move(out.Written());
}

bool OpenSave(const unsigned char* bytes, std::size_t size, std::uint32_t newest, const unsigned char*& body,
              std::size_t& bodySize, std::uint32_t& version) {
  logic::ByteReader in(bytes, size);
  const unsigned char* magic = in.Take(sizeof kMagic);
  version = in.U32();
  const std::uint32_t length = in.U32();
  const std::uint32_t crc = in.U32();
  if (in.Failed() || std::memcmp(magic, kMagic, sizeof kMagic) != 0 || version == 0 || version > newest || length != in.Left()) {
    return false;
  }
  body = bytes + kEnvelopeBytes;
  bodySize = length;
  return Crc32(body, bodySize) == crc;
}

}  // namespace kavelo::host
