#include "image/IconDirectory.h"

#include <cstring>

namespace kavelo::image {
namespace {

constexpr std::size_t kDirectoryBytes = 6;
constexpr std::size_t kEntryBytes = 16;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::size_t kPngHeaderEnd = 26;  // signature, chunk length and name, sides, depth, colour type

std::uint32_t Little16(const std::uint8_t* p) { return p[0] | (std::uint32_t{p[1]} << 8); }
std::uint32_t Little32(const std::uint8_t* p) { return Little16(p) | (Little16(p + 2) << 16); }
std::uint32_t Big32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// Reads the entry's own header; false when it is neither form or is cut short.
bool MeasureEntry(const std::uint8_t* data, IconEntry& entry) {
  if (entry.size >= kPngHeaderEnd && std::memcmp(data, kPngSignature, sizeof kPngSignature) == 0) {
    if (std::memcmp(data + 12, "IHDR", 4) != 0) return false;
    static const int kChannels[] = {1, 0, 3, 1, 2, 0, 4};  // by colour type; 0 where none is defined
    const unsigned colourType = data[25];
    entry.png = true;
    entry.width = Big32(data + 16);
    entry.height = Big32(data + 20);
    entry.bitsPerPixel = colourType < 7 ? kChannels[colourType] * data[24] : 0;
    return true;
  }
  if (entry.size < kInfoHeaderBytes) return false;
  const std::uint32_t headerBytes = Little32(data);
  if (headerBytes < kInfoHeaderBytes || headerBytes > entry.size) return false;
  // The height counts the colour rows and the mask rows below them.
  entry.width = static_cast<std::int32_t>(Little32(data + 4));
  entry.height = static_cast<std::int32_t>(Little32(data + 8)) / 2;
  entry.bitsPerPixel = static_cast<int>(Little16(data + 14));
  return entry.width > 0 && entry.height > 0;  // no icon has its rows top-down
}

// Both sides lie below 2^32, so the area fits unsigned 64 bits.
std::uint64_t Area(const IconEntry& entry) {
  return static_cast<std::uint64_t>(entry.width) * static_cast<std::uint64_t>(entry.height);
}

}  // namespace

bool LooksLikeIcon(const std::uint8_t* bytes, std::size_t size) {
  if (bytes == nullptr || size < kDirectoryBytes) return false;
  const std::uint32_t type = Little16(bytes + 2);
  return Little16(bytes) == 0 && (type == 1 || type == 2) && Little16(bytes + 4) > 0;
}

std::optional<IconEntry> BestIconEntry(const std::uint8_t* bytes, std::size_t size) {
  if (!LooksLikeIcon(bytes, size)) return std::nullopt;
  const std::size_t count = Little16(bytes + 4);
  if (count > (size - kDirectoryBytes) / kEntryBytes) return std::nullopt;
  std::optional<IconEntry> best;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* record = bytes + kDirectoryBytes + i * kEntryBytes;
    IconEntry entry;
    entry.size = Little32(record + 8);
    entry.offset = Little32(record + 12);
    if (entry.offset > size || entry.size > size - entry.offset || entry.size == 0) return std::nullopt;
    if (!MeasureEntry(bytes + entry.offset, entry)) return std::nullopt;
    const std::uint64_t area = Area(entry), bestArea = best ? Area(*best) : 0;
    if (!best || area > bestArea || (area == bestArea && entry.bitsPerPixel > best->bitsPerPixel)) best = entry;
  }
  return best;
}

}  // namespace kavelo::image
