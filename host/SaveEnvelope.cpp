#include "SaveEnvelope.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <utility>

#include "logic/SaveBytes.h"

namespace kavelo::host {
namespace {

constexpr unsigned char kMagic[4] = {'K', 'V', 'L', 'S'};
constexpr std::uint32_t kVersion = 1;
constexpr std::size_t kEnvelopeBytes = 16;

// CRC-32 as zip and PNG have it (reflected, polynomial 0xEDB88320), by a table of bytes.
constexpr std::array<std::uint32_t, 256> kCrcTable = [] {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}();

std::uint32_t Crc32(const unsigned char* bytes, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) crc = kCrcTable[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

}  // namespace

std::vector<unsigned char> SealSave(const std::vector<unsigned char>& body) {
  logic::ByteWriter out;
  out.Bytes(kMagic, sizeof kMagic);
  out.U32(kVersion);
  out.U32(static_cast<std::uint32_t>(body.size()));
  out.U32(Crc32(body.data(), body.size()));
  out.Bytes(body.data(), body.size());
  return std::move(out.Written());
}

bool OpenSave(const unsigned char* bytes, std::size_t size, const unsigned char*& body, std::size_t& bodySize) {
  logic::ByteReader in(bytes, size);
  const unsigned char* magic = in.Take(sizeof kMagic);
  const std::uint32_t version = in.U32();
  const std::uint32_t length = in.U32();
  const std::uint32_t crc = in.U32();
  if (in.Failed() || std::memcmp(magic, kMagic, sizeof kMagic) != 0 || version != kVersion || length != in.Left()) {
    return false;
  }
  body = bytes + kEnvelopeBytes;
  bodySize = length;
  return Crc32(body, bodySize) == crc;
}

}  // namespace kavelo::host
