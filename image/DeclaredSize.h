#pragma once
// What a picture file's header says about it, read before any decoder sees the bytes: its
// format and the size it declares. A decoder trusts that size and allocates for it, so a
// file that declares an absurd size is refused here, before it costs anything.

#include <cstddef>
#include <cstdint>

namespace kavelo::image {

// Larger than any tile, mark or time bar needs, and it keeps one decoded picture at
// 256 MiB at most.
inline constexpr int kMaxPictureSide = 8192;

enum class PictureFormat { kUnknown, kBmp, kPng, kGif, kJpeg, kIcon };  // kIcon: icons and cursors

struct DeclaredSize {
  PictureFormat format = PictureFormat::kUnknown;
  // The largest width and height that the header declares (for a GIF, over its logical
  // screen and every frame; for an icon, of the entry it shows); 0 where the bytes end or
  // break before saying.
  std::int64_t width = 0;
  std::int64_t height = 0;
};

// Recognises the format by its signature and reads the sizes the header declares. Reads
// only within the `size` bytes at `bytes`.
DeclaredSize ReadDeclaredSize(const std::uint8_t* bytes, std::size_t size);

// True when the format is one this loader decodes and no declared side exceeds
// kMaxPictureSide.
bool MayDecode(const DeclaredSize& declared);

// The bytes the declared picture takes decoded, 4 a pixel. The sides are read from at
// most 32-bit fields, so the product cannot overflow.
inline std::uint64_t DeclaredBytes(const DeclaredSize& declared) {
  if (declared.width <= 0 || declared.height <= 0) return 0;
  return static_cast<std::uint64_t>(declared.width) * static_cast<std::uint64_t>(declared.height) * 4;
}

}  // namespace kavelo::image
