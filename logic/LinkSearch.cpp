// The link search: whether a path of at most three straight segments over free cells
// joins two cells, and which one is taken. Candidates are tried column by column and then
// row by row, lowest first; the first free one wins.
//
// The cells a path can reach from an end along its row (or column) form one run, so the
// candidate middle columns are the overlap of the two ends' row runs, walked from its low
// end while both runs go on; only each candidate's middle segment is then read, up to its
// first tile. Rows are read a word at a time.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>

#include "logic/CellLinks.h"
#include "logic/KaveloInternal.h"

namespace {

constexpr int kBlock = 8;  // cells in a 64-bit word

struct TileGrid {
  const std::uint8_t* cells;
  int width;
  int height;

  const std::uint8_t* Row(int y) const { return cells + y * width; }
  bool Free(int x, int y) const { return cells[y * width + x] == 0; }
};

bool AnyTile(const std::uint8_t* cells, int count) {
  // A word at a time: rows of free cells are the long ones.
  int i = 0;
  for (; i + kBlock <= count; i += kBlock) {
    std::uint64_t word;
    std::memcpy(&word, cells + i, sizeof word);
    if (word != 0) return true;
  }
  for (; i < count; ++i) {
    if (cells[i] != 0) return true;
  }
  return false;
}

bool RowFreeBetween(const TileGrid& grid, int y, int a, int b) {
  if (a > b) std::swap(a, b);
  return b - a <= 1 || !AnyTile(grid.Row(y) + a + 1, b - a - 1);
}

bool ColumnFreeBetween(const TileGrid& grid, int x, int a, int b) {
  if (a > b) std::swap(a, b);
  for (int y = a + 1; y < b; ++y) {
    if (!grid.Free(x, y)) return false;
  }
  return true;
}

bool HasFreeNeighbour(const TileGrid& grid, int x, int y) {
  return (x > 0 && grid.Free(x - 1, y)) || (x + 1 < grid.width && grid.Free(x + 1, y)) ||
         (y > 0 && grid.Free(x, y - 1)) || (y + 1 < grid.height && grid.Free(x, y + 1));
}

// The lowest column that a path can reach from (x, y) along its row.
int LeftmostReach(const TileGrid& grid, int x, int y) {
  const std::uint8_t* row = grid.Row(y);
  for (std::uint64_t word = 0; x >= kBlock; x -= kBlock) {
    std::memcpy(&word, row + x - kBlock, sizeof word);
    if (word != 0) break;
  }
  while (x > 0 && row[x - 1] == 0) --x;
  return x;
}

int TopmostReach(const TileGrid& grid, int x, int y) {
  while (y > 0 && grid.Free(x, y - 1)) --y;
  return y;
}

// Up to eight cells of a row as one word, cell i in byte i counted from the low end;
// missing cells read as free.
std::uint64_t LoadCells(const std::uint8_t* cells, int count) {
  std::uint8_t bytes[kBlock] = {};
  if (count == kBlock) {
    std::memcpy(bytes, cells, kBlock);
  } else {
    std::memcpy(bytes, cells, static_cast<std::size_t>(count));
  }
  std::uint64_t word = 0;
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(&word, bytes, sizeof word);
  } else {
    for (int i = kBlock - 1; i >= 0; --i) word = word << 8 | bytes[i];
  }
  return word;
}

// 0x80 in every byte of `word` that is zero, 0 in the others.
std::uint64_t ZeroBytes(std::uint64_t word) {
  constexpr std::uint64_t kLowSeven = 0x7F7F7F7F7F7F7F7FULL;
  return ~(((word & kLowSeven) + kLowSeven) | word | kLowSeven);
}

// The lowest column c that both ends reach along their rows (c is the end's own column
// or the row is free up to and including (c, y)) and that is free strictly between the
// two rows; -1 when there is none. The reaches to the right are found on the way, and
// the columns are taken eight at a time, reading the rows between the ends a word per
// row until every candidate of the block has met a tile.
int FirstMiddleColumn(const TileGrid& grid, int x1, int y1, int x2, int y2) {
  const int first = std::max(LeftmostReach(grid, x1, y1), LeftmostReach(grid, x2, y2));
  if (first > x1 + 1 && !RowFreeBetween(grid, y1, x1, first)) return -1;
  if (first > x2 + 1 && !RowFreeBetween(grid, y2, x2, first)) return -1;
  const int top = std::min(y1, y2);
  const int bottom = std::max(y1, y2);
  for (int c = first; c < grid.width; c += kBlock) {
    const int count = std::min(kBlock, grid.width - c);
    // The block's columns that both ends reach; those up to both ends' own columns do.
    int reached = c + count - 1 <= std::min(x1, x2) ? count : 0;
    while (reached < count) {
      const int column = c + reached;
      if ((column > x1 && !grid.Free(column, y1)) || (column > x2 && !grid.Free(column, y2))) break;
      ++reached;
    }
    if (reached == 0) return -1;
    std::uint64_t open = ZeroBytes(0);
    if (reached < kBlock) open &= (std::uint64_t{1} << (8 * reached)) - 1;
    for (int y = top + 1; y < bottom && open != 0; ++y) open &= ZeroBytes(LoadCells(grid.Row(y) + c, count));
    if (open != 0) return c + std::countr_zero(open) / 8;
    if (reached < count) return -1;
  }
  return -1;
}

// The same with rows: the lowest row both ends reach along their columns that is free
// strictly between the two columns.
int FirstMiddleRow(const TileGrid& grid, int x1, int y1, int x2, int y2) {
  const int first = std::max(TopmostReach(grid, x1, y1), TopmostReach(grid, x2, y2));
  if (first > y1 + 1 && !ColumnFreeBetween(grid, x1, y1, first)) return -1;
  if (first > y2 + 1 && !ColumnFreeBetween(grid, x2, y2, first)) return -1;
  for (int r = first; r < grid.height; ++r) {
    if ((r > y1 && !grid.Free(x1, r)) || (r > y2 && !grid.Free(x2, r))) return -1;
    if (RowFreeBetween(grid, r, x1, x2)) return r;
  }
  return -1;
}

}  // namespace

namespace kavelo::logic {

bool FindCellPath(const GridView& view, int x1, int y1, int x2, int y2, PathCorners& path) {
  const auto inGrid = [&](int x, int y) { return x >= 0 && y >= 0 && x < view.width && y < view.height; };
  if (view.cells == nullptr || !inGrid(x1, y1) || !inGrid(x2, y2)) return false;
  if (x1 == x2 && y1 == y2) return false;
  const TileGrid grid{view.cells, view.width, view.height};

  if ((y1 == y2 && RowFreeBetween(grid, y1, x1, x2)) || (x1 == x2 && ColumnFreeBetween(grid, x1, y1, y2))) {
    path.straight = true;
    return true;
  }

  // Any other path leaves each end through a free neighbour.
  if (!HasFreeNeighbour(grid, x1, y1) || !HasFreeNeighbour(grid, x2, y2)) return false;

  path.straight = false;
  // A vertical middle segment needs two rows; a pair in one row only has the detours
  // through other rows, a pair in one column only those through other columns.
  if (y1 != y2) {
    const int c = FirstMiddleColumn(grid, x1, y1, x2, y2);
    if (c >= 0) {
      path.turnX1 = path.turnX2 = c;
      path.turnY1 = y1;
      path.turnY2 = y2;
      return true;
    }
  }
  if (x1 != x2) {
    const int r = FirstMiddleRow(grid, x1, y1, x2, y2);
    if (r >= 0) {
      path.turnX1 = x1;
      path.turnX2 = x2;
      path.turnY1 = path.turnY2 = r;
      return true;
    }
  }
  return false;
}

}  // namespace kavelo::logic

bool CKaveloInternal::SearchLink(int x1, int y1, int x2, int y2, kavelo::logic::PathCorners& path) const {
  return m_boardReady && m_tiles && kavelo::logic::FindCellPath({m_tiles.get(), m_width, m_height}, x1, y1, x2, y2, path);
}

bool CKaveloInternal::FindLink(std::uint8_t x1, std::uint8_t y1, std::uint8_t x2, std::uint8_t y2) {
  kavelo::logic::PathCorners path;
  if (!SearchLink(x1, y1, x2, y2, path)) return false;
  m_lastPath = path;
  if (path.straight) {
    MarkTrail(x1, y1, x2, y2);
  } else {
    MarkTrail(x1, y1, path.turnX1, path.turnY1);
    MarkTrail(x2, y2, path.turnX2, path.turnY2);
    MarkTrail(path.turnX1, path.turnY1, path.turnX2, path.turnY2);
  }
  return true;
}

bool CKaveloInternal::CanLink(std::uint8_t x1, std::uint8_t y1, std::uint8_t x2, std::uint8_t y2) const {
  kavelo::logic::PathCorners path;
  return SearchLink(x1, y1, x2, y2, path);
}

bool CKaveloInternal::IsRowClear(std::uint8_t y, std::uint8_t nearX, std::uint8_t farX) const {
  if (!m_boardReady || !m_tiles || !InGrid(nearX, y) || !InGrid(farX, y)) return false;
  if (nearX == farX) return true;
  const TileGrid grid{m_tiles.get(), m_width, m_height};
  return RowFreeBetween(grid, y, nearX, farX) && grid.Free(farX, y);
}

bool CKaveloInternal::IsColumnClear(std::uint8_t x, std::uint8_t nearY, std::uint8_t farY) const {
  if (!m_boardReady || !m_tiles || !InGrid(x, nearY) || !InGrid(x, farY)) return false;
  if (nearY == farY) return true;
  const TileGrid grid{m_tiles.get(), m_width, m_height};
  return ColumnFreeBetween(grid, x, nearY, farY) && grid.Free(x, farY);
}
