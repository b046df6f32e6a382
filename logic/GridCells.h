#pragma once
// Grids of kinds as the searches see them (the board's tiles or a working copy of them),
// and the cells on them.

#include <cstdint>

namespace kavelo::logic {

// Every byte value but 0 may be a kind.
inline constexpr int kKindSlots = 256;

struct GridView {
  const std::uint8_t* cells;  // cell (x, y) at y * width + x, 0 free
  int width;
  int height;
};

// Two cells as grid elements (y * width + x).
struct CellPair {
  int a = 0;
  int b = 0;
};

}  // namespace kavelo::logic
