#pragma once
// Packing the tiles into the interior, the first half of the compacting shuffles.

#include <cstdint>

namespace kavelo::logic {

// Takes the tiles off the grid column by column (top to bottom, left column first) and
// puts them back in that order into the interior, row by row; the border ring and the
// interior cells after the last tile end up empty. `scratch` holds width * height bytes.
// False, grid unchanged, when the grid has no interior or more tiles than it holds.
bool CompactIntoInterior(std::uint8_t* tiles, int width, int height, std::uint8_t* scratch);

}  // namespace kavelo::logic
