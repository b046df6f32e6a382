#include "tests/support/SolidPng.h"

#include <algorithm>

namespace kavelo::test {
namespace {

// Deflate's bits, least significant first; Huffman codes go most significant first.
class BitWriter {
 public:
  void Bits(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) Bit((value >> i) & 1);
  }
  void Code(std::uint32_t code, int length) {
    for (int i = length - 1; i >= 0; --i) Bit((code >> i) & 1);
  }
  // The fixed code of a literal byte, of a length of 3 to 10 or 258, of the block's end.
  void Literal(std::uint8_t v) { v < 144 ? Code(0x30 + v, 8) : Code(0x190 + v - 144, 9); }
  void Match(int length) {
    Code(length == 258 ? 0xC5 : static_cast<std::uint32_t>(length - 2), length == 258 ? 8 : 7);
    Code(2, 5);  // distance 3: the pixel before
  }
  void End() { Code(0, 7); }
  Bytes Take() { return std::move(m_bytes); }

 private:
  void Bit(std::uint32_t bit) {
    if (m_used == 0) m_bytes.push_back(0);
    m_bytes.back() = static_cast<std::uint8_t>(m_bytes.back() | bit << m_used);
    m_used = (m_used + 1) % 8;
  }
  Bytes m_bytes;
  int m_used = 0;
};

void Big(Bytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void Chunk(Bytes& out, const char* type, const Bytes& data) {
  Big(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  std::uint32_t crc = ~0u;
  for (std::size_t i = start; i < out.size(); ++i) {
    crc ^= out[i];
    for (int bit = 0; bit < 8; ++bit) crc = crc >> 1 ^ (crc & 1) * 0xEDB88320u;
  }
  Big(out, ~crc);
}

}  // namespace

Bytes SolidPng(int width, int height, Rgba colour) {
  BitWriter deflate;
  deflate.Bits(1, 1), deflate.Bits(1, 2);  // the last block, fixed codes
  const std::uint8_t pixel[3] = {colour.r, colour.g, colour.b};
  std::uint32_t a = 1, b = 0;  // Adler-32 of the rows
  const auto sum = [&](std::uint8_t v) { a = (a + v) % 65521, b = (b + a) % 65521; };
  for (int y = 0; y < height; ++y) {
    deflate.Literal(0), sum(0);  // no filter
    for (std::uint8_t v : pixel) deflate.Literal(v), sum(v);
    // The rest of the row repeats the first pixel: copies from 3 bytes back.
    for (int left = 3 * (width - 1); left >= 3;) {
      const int length = left >= 261 || left == 258 ? 258 : left > 10 ? std::min(10, left - 3) : left;
      deflate.Match(length);
      left -= length;
    }
    for (int x = 1; x < width; ++x) {
      for (std::uint8_t v : pixel) sum(v);
    }
  }
  deflate.End();
  Bytes z = {0x78, 0x01};
  const Bytes compressed = deflate.Take();
  z.insert(z.end(), compressed.begin(), compressed.end());
  Big(z, b << 16 | a);
  Bytes head;
  Big(head, static_cast<std::uint32_t>(width)), Big(head, static_cast<std::uint32_t>(height));
  head.insert(head.end(), {8, 2, 0, 0, 0});
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Chunk(out, "IHDR", head), Chunk(out, "IDAT", z), Chunk(out, "IEND", {});
  return out;
}

}  // namespace kavelo::test
