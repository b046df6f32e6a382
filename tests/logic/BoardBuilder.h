#pragma once
// Boards for tests and benchmarks: a ready board holding exactly the tiles asked for, and
// its tiles and trail read back.

#include <cstdint>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "logic/KaveloInternal.h"

struct PlacedTile { int x, y; std::uint8_t kind; };

using Cell = std::pair<int, int>;  // (x, y)
using CellSet = std::set<Cell>;

inline void PlaceTile(CKaveloInternal& board, int x, int y, std::uint8_t kind) {
  std::uint8_t& cell = board.m_tiles[y * board.m_width + x];
  board.m_tilesLeft += (kind != 0 ? 1 : 0) - (cell != 0 ? 1 : 0);
  cell = kind;
}

// An empty ready board (no copies dealt) with `tiles` placed on it.
inline std::unique_ptr<CKaveloInternal> BoardWith(int width, int height, const std::vector<PlacedTile>& tiles) {
  auto board = std::make_unique<CKaveloInternal>();
  if (!board->InitBoard(static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(height), 255, 0)) return nullptr;
  for (const PlacedTile& t : tiles) PlaceTile(*board, t.x, t.y, t.kind);
  return board;
}

inline std::vector<std::uint8_t> Tiles(const CKaveloInternal& board) {
  return {board.m_tiles.get(), board.m_tiles.get() + board.m_width * board.m_height};
}

inline CellSet MarkedCells(const CKaveloInternal& board) {
  CellSet cells;
  for (int i = 0; i < board.m_width * board.m_height; ++i) {
    if (board.m_trail[i] != 0) cells.insert({i % board.m_width, i / board.m_width});
  }
  return cells;
}
