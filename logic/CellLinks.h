#pragma once
// The board's link test on any grid of kinds (0 free): used on the board itself and on
// the working copies that the solver and the clearable dealing play on.

#include "logic/GridCells.h"

namespace kavelo::logic {

// Where a path turns: straight from end to end, or three segments whose middle one runs
// from the turn on the first end's side to the turn on the second end's side.
struct PathCorners {
  bool straight = true;
  int turnX1 = 0, turnY1 = 0, turnX2 = 0, turnY2 = 0;
};

// Whether a path of at most three straight segments over free cells of the grid joins
// the two distinct cells, whatever they hold; `path` receives the first one found.
bool FindCellPath(const GridView& grid, int x1, int y1, int x2, int y2, PathCorners& path);

inline bool CellsLink(const GridView& grid, int x1, int y1, int x2, int y2) {
  PathCorners path;
  return FindCellPath(grid, x1, y1, x2, y2, path);
}

}  // namespace kavelo::logic
