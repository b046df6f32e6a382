#pragma once
// Icon and cursor files: a directory of entries, each a picture of its own (a BMP without
// its file header, or a whole PNG). The loader shows one entry: the largest, then the
// deepest. Entries are measured by their own headers, since the directory's one-byte
// sides cannot tell 256 from larger and a cursor's directory holds its hot spot where an
// icon's holds its depth.

#include <cstddef>
#include <cstdint>
#include <optional>

namespace kavelo::image {

struct IconEntry {
  std::size_t offset = 0;  // where the entry's bytes start in the file
  std::size_t size = 0;    // how many bytes it has there, all within the file
  bool png = false;        // a whole PNG file; otherwise a BMP info header, rows and mask
  std::int64_t width = 0;  // the sides its own header declares
  std::int64_t height = 0;
  int bitsPerPixel = 0;
};

// True when the bytes start as an icon or cursor directory with at least one entry.
bool LooksLikeIcon(const std::uint8_t* bytes, std::size_t size);

// The entry to show; none when the directory or any entry lies outside the file, or an
// entry's header is cut short or is neither a BMP info header nor a PNG's.
std::optional<IconEntry> BestIconEntry(const std::uint8_t* bytes, std::size_t size);

}  // namespace kavelo::image
