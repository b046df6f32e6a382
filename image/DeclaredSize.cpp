#include "image/DeclaredSize.h"

#include <algorithm>
#include <cstring>

#include "image/IconDirectory.h"

namespace kavelo::image {
namespace {

// Bounds-checked reads over the file's bytes; a read past the end yields false.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* bytes, std::size_t size) : m_bytes(bytes), m_size(size) {}

  bool Has(std::size_t offset, std::size_t count) const { return offset <= m_size && count <= m_size - offset; }
  bool StartsWith(const char* text) const {
    const std::size_t length = std::strlen(text);
    return Has(0, length) && std::memcmp(m_bytes, text, length) == 0;
  }
  bool Byte(std::size_t offset, std::uint32_t& value) const {
    if (!Has(offset, 1)) return false;
    value = m_bytes[offset];
    return true;
  }
  bool Little16(std::size_t offset, std::uint32_t& value) const {
    if (!Has(offset, 2)) return false;
    value = m_bytes[offset] | (std::uint32_t{m_bytes[offset + 1]} << 8);
    return true;
  }
  bool Little32(std::size_t offset, std::uint32_t& value) const {
    if (!Has(offset, 4)) return false;
    value = m_bytes[offset] | (std::uint32_t{m_bytes[offset + 1]} << 8) | (std::uint32_t{m_bytes[offset + 2]} << 16) |
            (std::uint32_t{m_bytes[offset + 3]} << 24);
    return true;
  }
  bool Big16(std::size_t offset, std::uint32_t& value) const {
    if (!Has(offset, 2)) return false;
    value = (std::uint32_t{m_bytes[offset]} << 8) | m_bytes[offset + 1];
    return true;
  }
  bool Big32(std::size_t offset, std::uint32_t& value) const {
    if (!Has(offset, 4)) return false;
    value = (std::uint32_t{m_bytes[offset]} << 24) | (std::uint32_t{m_bytes[offset + 1]} << 16) |
            (std::uint32_t{m_bytes[offset + 2]} << 8) | m_bytes[offset + 3];
    return true;
  }

 private:
  const std::uint8_t* m_bytes;
  std::size_t m_size;
};

// A signed 32-bit field's magnitude; INT32_MIN included.
std::int64_t Magnitude(std::uint32_t field) {
  const auto value = static_cast<std::int64_t>(static_cast<std::int32_t>(field));
  return value < 0 ? -value : value;
}

void ReadBmp(const ByteReader& in, DeclaredSize& out) {
  std::uint32_t headerSize = 0, width = 0, height = 0;
  if (!in.Little32(14, headerSize)) return;
  if (headerSize == 12) {  // the oldest header: unsigned 16-bit sides
    if (in.Little16(18, width) && in.Little16(20, height)) {
      out.width = width;
      out.height = height;
    }
    return;
  }
  // Every later header: signed 32-bit sides, a negative height meaning top-down rows.
  if (in.Little32(18, width) && in.Little32(22, height)) {
    out.width = Magnitude(width);
    out.height = Magnitude(height);
  }
}

void ReadPng(const ByteReader& in, DeclaredSize& out) {
  // The first chunk must be the image header; its first fields are the sides.
  static const std::uint8_t kHeaderChunk[] = {'I', 'H', 'D', 'R'};
  std::uint32_t name[4] = {}, width = 0, height = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    if (!in.Byte(12 + i, name[i]) || name[i] != kHeaderChunk[i]) return;
  }
  if (in.Big32(16, width) && in.Big32(20, height)) {
    out.width = width;
    out.height = height;
  }
}

// Skips a run of sub-blocks (a length byte, then that many bytes) up to its empty closing
// block; false when the bytes end first.
bool SkipSubBlocks(const ByteReader& in, std::size_t& offset) {
  std::uint32_t length = 0;
  while (in.Byte(offset, length)) {
    ++offset;
    if (length == 0) return true;
    offset += length;
  }
  return false;
}

void ReadGif(const ByteReader& in, DeclaredSize& out) {
  std::uint32_t width = 0, height = 0, flags = 0;
  if (!in.Little16(6, width) || !in.Little16(8, height) || !in.Byte(10, flags)) return;
  out.width = width;
  out.height = height;
  std::size_t offset = 13;
  if (flags & 0x80) offset += 3u << ((flags & 7) + 1);  // the global colour table
  std::uint32_t block = 0;
  while (in.Byte(offset, block)) {
    ++offset;
    if (block == 0x21) {  // an extension: its label, then sub-blocks
      ++offset;
      if (!SkipSubBlocks(in, offset)) return;
    } else if (block == 0x2C) {  // a frame: position, sides, flags, its own colour table, data
      std::uint32_t frameFlags = 0;
      if (!in.Little16(offset + 4, width) || !in.Little16(offset + 6, height) || !in.Byte(offset + 8, frameFlags)) return;
      out.width = std::max<std::int64_t>(out.width, width);
      out.height = std::max<std::int64_t>(out.height, height);
      offset += 9;
      if (frameFlags & 0x80) offset += 3u << ((frameFlags & 7) + 1);
      ++offset;  // the code size
      if (!SkipSubBlocks(in, offset)) return;
    } else if (block == 0x3B) {  // the trailer
      return;
    }  // any other byte is no block: the decoder passes over it, and so does this reader
  }
}

bool IsJpegFrameMarker(std::uint32_t marker) {
  // Start-of-frame markers C0 to CF, less C4 (Huffman tables), C8 (reserved) and CC
  // (arithmetic conditioning).
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

void ReadJpeg(const ByteReader& in, DeclaredSize& out) {
  std::size_t offset = 2;
  std::uint32_t value = 0;
  // The decoder passes over bytes that are no marker, so this reader does too: a frame
  // marker behind them must not escape the size check.
  while (in.Byte(offset, value)) {
    if (value != 0xFF) {
      ++offset;
      continue;
    }
    while (in.Byte(offset, value) && value == 0xFF) ++offset;  // fill bytes
    if (!in.Byte(offset, value)) return;
    const std::uint32_t marker = value;
    ++offset;
    // Markers without a length, and 0, which makes FF 00 a stuffed byte and no marker.
    if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;
    if (marker == 0xD9 || marker == 0xDA) return;  // the image ends or its data begins before any frame
    std::uint32_t length = 0;
    if (!in.Big16(offset, length)) return;
    if (IsJpegFrameMarker(marker)) {
      std::uint32_t width = 0, height = 0;
      if (in.Big16(offset + 3, height) && in.Big16(offset + 5, width)) {
        out.width = width;
        out.height = height;
      }
      return;
    }
    offset += std::max<std::uint32_t>(length, 2);  // a length below 2 skips only itself, as in the decoder
  }
}

void ReadIcon(const std::uint8_t* bytes, std::size_t size, DeclaredSize& out) {
  if (const auto entry = BestIconEntry(bytes, size)) {
    out.width = entry->width;
    out.height = entry->height;
  }
}

}  // namespace

DeclaredSize ReadDeclaredSize(const std::uint8_t* bytes, std::size_t size) {
  const ByteReader in(bytes, bytes == nullptr ? 0 : size);
  DeclaredSize out;
  if (in.StartsWith("BM")) {
    out.format = PictureFormat::kBmp;
    ReadBmp(in, out);
  } else if (in.StartsWith("\x89PNG\r\n\x1a\n")) {
    out.format = PictureFormat::kPng;
    ReadPng(in, out);
  } else if (in.StartsWith("GIF87a") || in.StartsWith("GIF89a")) {
    out.format = PictureFormat::kGif;
    ReadGif(in, out);
  } else if (in.StartsWith("\xFF\xD8")) {
    out.format = PictureFormat::kJpeg;
    ReadJpeg(in, out);
  } else if (LooksLikeIcon(bytes, size)) {
    out.format = PictureFormat::kIcon;
    ReadIcon(bytes, size, out);
  }
  return out;
}

bool MayDecode(const DeclaredSize& declared) {
  return declared.format != PictureFormat::kUnknown && declared.width <= kMaxPictureSide &&
         declared.height <= kMaxPictureSide;
}

}  // namespace kavelo::image
