#pragma once
// Searching for an order of links that clears a grid of kinds.

#include <cstdint>
#include <functional>
#include <vector>

#include "logic/CellLinks.h"
#include "logic/TileFall.h"

// What a search for a clearing found out. The host reports it as the public
// KaveloSolveResult; the logic does not see the public headers.
enum class SolveVerdict : std::uint8_t {
  Solved,      // the moves clear the grid
  Unsolvable,  // no order of links clears it
  Unknown,     // the time allowed ran out first
};

namespace kavelo::logic {

struct SolveLimits {
  std::uint32_t budgetMs = 0;
  std::function<std::uint32_t()> nowMs;  // read per position searched and every 256 link tests
};

// Works on its own copy of the grid, each removal followed by the variant's fall. On
// Solved, `moves` holds the links in order, each pair by the cells it holds when played.
SolveVerdict SolveGrid(const GridView& grid, Gravity gravity, const SolveLimits& limits, std::vector<CellPair>& moves);

}  // namespace kavelo::logic
