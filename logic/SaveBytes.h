#pragma once
// Fixed-width little-endian fields for saved games: a writer that appends them and a
// reader that checks every length before it reads and fails for good once a field is
// missing.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kavelo::logic {

class ByteWriter {
 public:
  void U8(std::uint8_t value) { m_bytes.push_back(value); }
  void U16(std::uint16_t value) { Little(value, 2); }
  void U32(std::uint32_t value) { Little(value, 4); }
  void U64(std::uint64_t value) {
    U32(static_cast<std::uint32_t>(value));
    U32(static_cast<std::uint32_t>(value >> 32));
  }
  void I16(std::int16_t value) { U16(static_cast<std::uint16_t>(value)); }
  void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
  void Bytes(const void* data, std::size_t count) {
    const auto* first = static_cast<const unsigned char*>(data);
    m_bytes.insert(m_bytes.end(), first, first + count);
  }
  void Reserve(std::size_t count) { m_bytes.reserve(m_bytes.size() + count); }
  std::vector<unsigned char>& Written() { return m_bytes; }

 private:
  void Little(std::uint32_t value, int count) {
    for (int i = 0; i < count; ++i) m_bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
  }
  std::vector<unsigned char> m_bytes;
};

class ByteReader {
 public:
  ByteReader(const unsigned char* bytes, std::size_t size) : m_next(bytes), m_left(bytes ? size : 0) {}

  // A missing field reads as 0 and fails the reader.
  std::uint8_t U8() { return static_cast<std::uint8_t>(Little(1)); }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Little(2)); }
  std::uint32_t U32() { return Little(4); }
  std::uint64_t U64() {
    const std::uint64_t low = U32();
    return low | std::uint64_t{U32()} << 32;
  }
  std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  // The next `count` bytes, or null (and failed) when fewer are left.
  const unsigned char* Take(std::size_t count) {
    if (m_failed || count > m_left) {
      m_failed = true;
      return nullptr;
    }
    const unsigned char* taken = m_next;
    m_next += count;
    m_left -= count;
    return taken;
  }

  std::size_t Left() const { return m_failed ? 0 : m_left; }
  bool Failed() const { return m_failed; }
  // Every field read was there and nothing is left over.
  bool Finished() const { return !m_failed && m_left == 0; }

 private:
  std::uint32_t Little(std::size_t count) {
    const unsigned char* bytes = Take(count);
    std::uint32_t value = 0;
    for (std::size_t i = 0; bytes != nullptr && i < count; ++i) value |= std::uint32_t{bytes[i]} << (8 * i);
    return value;
  }

  const unsigned char* m_next;
  std::size_t m_left;
  bool m_failed = false;
};

}  // namespace kavelo::logic
