#include "image/GifDataCheck.h"

namespace kavelo::image {
namespace {

constexpr unsigned kMaxCodeBits = 12;
constexpr unsigned kTableSize = 1u << kMaxCodeBits;
constexpr unsigned kMaxMinimumCodeSize = kMaxCodeBits - 1;  // a reset code must fit in 12 bits

// The bytes of one frame's sub-blocks, read as one stream of bits, low bit first.
class CodeStream {
 public:
  CodeStream(const std::uint8_t* bytes, std::size_t size, std::size_t offset)
      : m_bytes(bytes), m_size(size), m_offset(offset) {}

  // The next code of `bits` bits; false when the sub-blocks end first.
  bool Next(unsigned bits, unsigned& code) {
    while (m_bitCount < bits) {
      if (m_blockLeft == 0) {
        if (m_offset >= m_size || m_bytes[m_offset] == 0) return false;
        m_blockLeft = m_bytes[m_offset++];
      }
      if (m_offset >= m_size) return false;
      m_bits |= std::uint32_t{m_bytes[m_offset++]} << m_bitCount;
      m_bitCount += 8;
      --m_blockLeft;
    }
    code = m_bits & ((1u << bits) - 1);
    m_bits >>= bits;
    m_bitCount -= bits;
    return true;
  }

 private:
  const std::uint8_t* m_bytes;
  std::size_t m_size;
  std::size_t m_offset;
  unsigned m_blockLeft = 0;
  std::uint32_t m_bits = 0;
  unsigned m_bitCount = 0;
};

// Follows the codes as the decoder does, growing the code size as its table fills. The
// decoder takes the first code after the start and after each reset as it comes, adding
// no entry for it; only a literal, a reset or the end code there keeps its table sound.
bool FrameCodesDefined(const std::uint8_t* bytes, std::size_t size, std::size_t offset, unsigned minimumCodeSize) {
  if (minimumCodeSize < 1 || minimumCodeSize > kMaxMinimumCodeSize) return false;
  const unsigned reset = 1u << minimumCodeSize;
  const unsigned end = reset + 1;
  const unsigned firstEntry = reset + 2;
  unsigned codeBits = minimumCodeSize + 1;
  unsigned nextEntry = firstEntry;
  unsigned growAt = 2 * reset;
  CodeStream stream(bytes, size, offset);
  unsigned code = 0;
  do {  // at the start, resets are passed over
    if (!stream.Next(codeBits, code)) return true;
  } while (code == reset);
  if (code >= firstEntry) return false;
  while (stream.Next(codeBits, code)) {
    if (code == reset) {
      codeBits = minimumCodeSize + 1;
      nextEntry = firstEntry;
      growAt = 2 * reset;
      if (!stream.Next(codeBits, code)) return true;
      if (code >= firstEntry) return false;
      continue;
    }
    if (code == end) return true;
    if (code > nextEntry) return false;  // the entry being made is the last one a code may name
    if (nextEntry < kTableSize) {
      ++nextEntry;
      if (nextEntry >= growAt && growAt < kTableSize) {
        growAt *= 2;
        ++codeBits;
      }
    }
  }
  return true;
}

// Skips a run of sub-blocks up to its empty closing block; false when the bytes end first.
bool SkipSubBlocks(const std::uint8_t* bytes, std::size_t size, std::size_t& offset) {
  while (offset < size) {
    const unsigned length = bytes[offset++];
    if (length == 0) return true;
    offset += length;
  }
  return false;
}

}  // namespace

bool GifSafeToDecode(const std::uint8_t* bytes, std::size_t size) {
  constexpr std::size_t kScreenDescriptorEnd = 13;
  if (bytes == nullptr || size < kScreenDescriptorEnd) return true;
  std::size_t offset = kScreenDescriptorEnd;
  if (bytes[10] & 0x80) offset += 3u << ((bytes[10] & 7) + 1);  // the global colour table
  // Blocks as the decoder walks them: bytes that are no block are passed over.
  while (offset < size) {
    const std::uint8_t block = bytes[offset++];
    if (block == 0x3B) return true;  // the trailer
    if (block == 0x21) {             // an extension: its label, then sub-blocks
      ++offset;
      if (!SkipSubBlocks(bytes, size, offset)) return true;
    } else if (block == 0x2C) {  // a frame: position, sides, flags, its own colour table, data
      if (size - offset < 10) return true;
      const unsigned width = bytes[offset + 4] | (unsigned{bytes[offset + 5]} << 8);
      const unsigned height = bytes[offset + 6] | (unsigned{bytes[offset + 7]} << 8);
      if (width == 0 || height == 0) return false;
      const std::uint8_t flags = bytes[offset + 8];
      offset += 9;
      if (flags & 0x80) offset += 3u << ((flags & 7) + 1);
      if (offset >= size) return true;
      const unsigned minimumCodeSize = bytes[offset++];
      if (!FrameCodesDefined(bytes, size, offset, minimumCodeSize)) return false;
      if (!SkipSubBlocks(bytes, size, offset)) return true;
    }
  }
  return true;
}

}  // namespace kavelo::image
