#pragma once
// The rule variants in which tiles fall: after a pair is removed, the interior tiles of
// each line (column or row) that held one of the pair move toward the variant's side,
// keeping their order, until that line of the interior has no gap on that side. The
// border ring never moves.

#include <cstdint>
#include <vector>

#include <PlgKavelo/KaveloProtocol.h>

#include "logic/GridCells.h"

namespace kavelo::logic {

enum class Gravity : std::uint8_t {
  None = KAVELO_GRAVITY_NONE,    // nothing falls
  Down = KAVELO_GRAVITY_DOWN,    // columns, toward the bottom row
  Up = KAVELO_GRAVITY_UP,        // columns, toward the top row
  Left = KAVELO_GRAVITY_LEFT,    // rows, toward the left column
  Right = KAVELO_GRAVITY_RIGHT,  // rows, toward the right column
};

// Whether the byte names a variant.
inline bool KnownGravity(int value) { return value >= KAVELO_GRAVITY_NONE && value <= KAVELO_GRAVITY_RIGHT; }

// One tile of a fall: grid elements (y * width + x), from an occupied cell to a free one.
struct TileMove {
  int from = 0;
  int to = 0;
  bool operator==(const TileMove&) const = default;
};

// Settles the interior lines of the removed pair's cells (each line once) on a grid whose
// pair cells were just emptied, appending each tile's move in the order made. Undoing the
// moves in reverse order gives the grid back.
void SettleAfterRemoval(std::uint8_t* cells, int width, int height, Gravity gravity, CellPair removed,
                        std::vector<TileMove>& moves);

// Takes the moves back, latest first.
void UndoFall(std::uint8_t* cells, const TileMove* moves, std::size_t count);

}  // namespace kavelo::logic
