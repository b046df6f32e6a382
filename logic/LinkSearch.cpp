// The link search: whether a path of at most three straight segments over free cells
// joins two cells, and which one is taken. Candidates are tried column by column and then
// row by row, lowest first; the first free one wins.
//
// The search never walks the candidates one by one from scratch. The cells a path can
// reach from an end along its row (or column) form one run, so a candidate middle column
// must lie in the overlap of the two ends' row runs, and a candidate middle row in the
// overlap of their column runs; only the middle segments are then checked.
#include <algorithm>
#include <cstring>

#include "logic/KaveloInternal.h"

namespace {

constexpr int kMaxSide = 255;  // coordinates are bytes

struct TileGrid {
  const std::uint8_t* cells;
  int width;
  int height;

  const std::uint8_t* Row(int y) const { return cells + y * width; }
  bool Free(int x, int y) const { return cells[y * width + x] == 0; }
};

// A closed range of columns or rows; empty when lo > hi.
struct Span {
  int lo;
  int hi;
};

Span Overlap(Span a, Span b) { return {std::max(a.lo, b.lo), std::min(a.hi, b.hi)}; }

bool AnyTile(const std::uint8_t* cells, int count) {
  // Eight cells a word: rows of free cells are the long ones.
  int i = 0;
  for (; i + 8 <= count; i += 8) {
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

// The columns reachable from (x, y) along its row: x itself and the free cells up to the
// nearest tile (or the edge) on either side.
Span RowReach(const TileGrid& grid, int x, int y) {
  const std::uint8_t* row = grid.Row(y);
  int lo = x;
  while (lo > 0 && row[lo - 1] == 0) --lo;
  int hi = x;
  while (hi < grid.width - 1 && row[hi + 1] == 0) ++hi;
  return {lo, hi};
}

Span ColumnReach(const TileGrid& grid, int x, int y) {
  int lo = y;
  while (lo > 0 && grid.Free(x, lo - 1)) --lo;
  int hi = y;
  while (hi < grid.height - 1 && grid.Free(x, hi + 1)) ++hi;
  return {lo, hi};
}

// The lowest column among `columns` that is free strictly between rows a and b, or -1.
// The candidates that survive each row are kept in order, so the rows are read along
// their length and the search ends as soon as none is left.
int FirstFreeColumn(const TileGrid& grid, Span columns, int a, int b) {
  if (columns.lo > columns.hi) return -1;
  if (a > b) std::swap(a, b);
  std::uint8_t open[kMaxSide];
  int count = 0;
  for (int c = columns.lo; c <= columns.hi; ++c) open[count++] = static_cast<std::uint8_t>(c);
  for (int y = a + 1; y < b && count > 0; ++y) {
    const std::uint8_t* row = grid.Row(y);
    int kept = 0;
    for (int i = 0; i < count; ++i) {
      open[kept] = open[i];
      kept += row[open[i]] == 0 ? 1 : 0;
    }
    count = kept;
  }
  return count > 0 ? open[0] : -1;
}

// The lowest row among `rows` that is free strictly between columns a and b, or -1.
int FirstFreeRow(const TileGrid& grid, Span rows, int a, int b) {
  for (int r = rows.lo; r <= rows.hi; ++r) {
    if (RowFreeBetween(grid, r, a, b)) return r;
  }
  return -1;
}

}  // namespace

bool CKaveloInternal::SearchLink(int x1, int y1, int x2, int y2, LinkCorners& path) const {
  if (!m_boardReady || !m_tiles || !InGrid(x1, y1) || !InGrid(x2, y2)) return false;
  if (x1 == x2 && y1 == y2) return false;
  const TileGrid grid{m_tiles.get(), m_width, m_height};

  if ((y1 == y2 && RowFreeBetween(grid, y1, x1, x2)) || (x1 == x2 && ColumnFreeBetween(grid, x1, y1, y2))) {
    path.straight = true;
    return true;
  }

  // Any other path leaves each end through a free neighbour.
  const Span row1 = RowReach(grid, x1, y1);
  const Span column1 = ColumnReach(grid, x1, y1);
  if (row1.lo == row1.hi && column1.lo == column1.hi) return false;
  const Span row2 = RowReach(grid, x2, y2);
  const Span column2 = ColumnReach(grid, x2, y2);
  if (row2.lo == row2.hi && column2.lo == column2.hi) return false;

  path.straight = false;
  // A vertical middle segment needs two rows; a pair in one row only has the detours
  // through other rows, a pair in one column only those through other columns.
  if (y1 != y2) {
    const int c = FirstFreeColumn(grid, Overlap(row1, row2), y1, y2);
    if (c >= 0) {
      path.turnX1 = path.turnX2 = static_cast<std::uint8_t>(c);
      path.turnY1 = static_cast<std::uint8_t>(y1);
      path.turnY2 = static_cast<std::uint8_t>(y2);
      return true;
    }
  }
  if (x1 != x2) {
    const int r = FirstFreeRow(grid, Overlap(column1, column2), x1, x2);
    if (r >= 0) {
      path.turnX1 = static_cast<std::uint8_t>(x1);
      path.turnX2 = static_cast<std::uint8_t>(x2);
      path.turnY1 = path.turnY2 = static_cast<std::uint8_t>(r);
      return true;
    }
  }
  return false;
}

bool CKaveloInternal::FindLink(std::uint8_t x1, std::uint8_t y1, std::uint8_t x2, std::uint8_t y2) {
  LinkCorners path;
  if (!SearchLink(x1, y1, x2, y2, path)) return false;
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
  LinkCorners path;
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
