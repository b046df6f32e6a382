// Falls on a grid: one pass per settled line, from the side the tiles fall toward, with a
// write position that is always the nearest free cell on that side.
#include "logic/TileFall.h"

#include <utility>

namespace kavelo::logic {
namespace {

// The interior of one line as a walk from the side tiles fall toward: its first element,
// the element step, and its length.
struct LineWalk {
  int first;
  int step;
  int length;
};

// The interior line through `cell` along the variant's direction; length 0 when the cell's
// line has no interior (a column or row of the border ring).
LineWalk WalkThrough(int cell, int width, int height, Gravity gravity) {
  const int x = cell % width, y = cell / width;
  const bool column = gravity == Gravity::Down || gravity == Gravity::Up;
  if (column ? (x < 1 || x > width - 2) : (y < 1 || y > height - 2)) return {0, 0, 0};
  switch (gravity) {
    case Gravity::Down:
      return {(height - 2) * width + x, -width, height - 2};
    case Gravity::Up:
      return {width + x, width, height - 2};
    case Gravity::Left:
      return {y * width + 1, 1, width - 2};
    case Gravity::Right:
      return {y * width + width - 2, -1, width - 2};
    default:
      return {0, 0, 0};
  }
}

void SettleLine(std::uint8_t* cells, const LineWalk& walk, std::vector<TileMove>& moves) {
  int write = walk.first;
  for (int i = 0, read = walk.first; i < walk.length; ++i, read += walk.step) {
    if (cells[read] == 0) continue;
    if (read != write) {
      cells[write] = cells[read];
      cells[read] = 0;
      moves.push_back({read, write});
    }
    write += walk.step;
  }
}

}  // namespace

void SettleAfterRemoval(std::uint8_t* cells, int width, int height, Gravity gravity, CellPair removed,
                        std::vector<TileMove>& moves) {
  if (gravity == Gravity::None || width < 3 || height < 3) return;
  const LineWalk first = WalkThrough(removed.a, width, height, gravity);
  const LineWalk second = WalkThrough(removed.b, width, height, gravity);
  if (first.length > 0) SettleLine(cells, first, moves);
  if (second.length > 0 && (first.length == 0 || second.first != first.first)) SettleLine(cells, second, moves);
}

void UndoFall(std::uint8_t* cells, const TileMove* moves, std::size_t count) {
  for (std::size_t i = count; i > 0; --i) {
    const TileMove& move = moves[i - 1];
    cells[move.from] = cells[move.to];
    cells[move.to] = 0;
  }
}

}  // namespace kavelo::logic
