#pragma once
// Reading and drawing trails in tests: the cells a trail marks, and the cells of a path
// given by its corners.

#include <algorithm>
#include <set>
#include <utility>

#include "logic/KaveloInternal.h"

using Cell = std::pair<int, int>;  // (x, y)
using CellSet = std::set<Cell>;

inline CellSet MarkedCells(const CKaveloInternal& board) {
  CellSet cells;
  for (int y = 0; y < board.m_height; ++y) {
    for (int x = 0; x < board.m_width; ++x) {
      if (board.m_trail[y * board.m_width + x] != 0) cells.insert({x, y});
    }
  }
  return cells;
}

inline void ClearTrail(CKaveloInternal& board) {
  std::fill(board.m_trail.get(), board.m_trail.get() + board.m_width * board.m_height, std::int8_t{0});
}

// The cells of the straight segment from a to b, both included.
inline void AddSegment(CellSet& cells, Cell a, Cell b) {
  for (int y = std::min(a.second, b.second); y <= std::max(a.second, b.second); ++y) {
    for (int x = std::min(a.first, b.first); x <= std::max(a.first, b.first); ++x) cells.insert({x, y});
  }
}
