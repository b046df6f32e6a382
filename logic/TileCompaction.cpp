#include "logic/TileCompaction.h"

#include <algorithm>
#include <cstddef>

namespace kavelo::logic {

bool CompactIntoInterior(std::uint8_t* tiles, int width, int height, std::uint8_t* scratch) {
  if (tiles == nullptr || scratch == nullptr || width < 3 || height < 3) return false;
  int count = 0;
  for (int x = 0; x < width; ++x) {
    for (int y = 0; y < height; ++y) {
      const std::uint8_t kind = tiles[y * width + x];
      if (kind != 0) scratch[count++] = kind;
    }
  }
  if (count > (width - 2) * (height - 2)) return false;

  std::fill(tiles, tiles + static_cast<std::ptrdiff_t>(width) * height, std::uint8_t{0});
  int next = 0;
  for (int y = 1; y < height - 1 && next < count; ++y) {
    for (int x = 1; x < width - 1 && next < count; ++x) tiles[y * width + x] = scratch[next++];
  }
  return true;
}

}  // namespace kavelo::logic
