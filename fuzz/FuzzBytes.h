#pragma once
// The fuzz inputs' byte coding: little-endian numbers read front to back, and the writer
// that the seed generator composes inputs with. Past the end every read gives 0, so that
// any input, however short, decodes to something.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace kavelo::fuzz {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

  bool AtEnd() const { return m_pos >= m_bytes.size(); }
  std::size_t Remaining() const { return AtEnd() ? 0 : m_bytes.size() - m_pos; }
  std::uint8_t U8() { return AtEnd() ? 0 : m_bytes[m_pos++]; }
  std::uint16_t U16() {
    const unsigned low = U8();
    return static_cast<std::uint16_t>(low | (unsigned{U8()} << 8));
  }
  std::uint32_t U32() {
    const std::uint32_t low = U16();
    return low | (std::uint32_t{U16()} << 16);
  }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  // The next `count` bytes, fewer at the end.
  std::span<const std::uint8_t> Bytes(std::size_t count) {
    const std::size_t n = count < Remaining() ? count : Remaining();
    const auto part = m_bytes.subspan(m_pos, n);
    m_pos += n;
    return part;
  }

 private:
  std::span<const std::uint8_t> m_bytes;
  std::size_t m_pos = 0;
};

class ByteWriter {
 public:
  ByteWriter& U8(unsigned v) {
    m_bytes.push_back(static_cast<std::uint8_t>(v));
    return *this;
  }
  ByteWriter& U16(unsigned v) { return U8(v & 0xFF).U8((v >> 8) & 0xFF); }
  ByteWriter& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
  ByteWriter& I32(std::int32_t v) { return U32(static_cast<std::uint32_t>(v)); }
  ByteWriter& Bytes(std::span<const std::uint8_t> bytes) {
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return *this;
  }
  const std::vector<std::uint8_t>& Data() const { return m_bytes; }

 private:
  std::vector<std::uint8_t> m_bytes;
};

}  // namespace kavelo::fuzz
