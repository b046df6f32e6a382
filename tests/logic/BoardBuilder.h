#pragma once
// Boards for tests and benchmarks: a ready board holding exactly the tiles asked for, its
// tiles and trail read back, and the board's private state for positions that play would
// take long to reach.

#include <cstdint>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "logic/KaveloInternal.h"

struct PlacedTile { int x, y; std::uint8_t kind; };

using Cell = std::pair<int, int>;  // (x, y)
using CellSet = std::set<Cell>;

struct BoardTestAccess {
  // The grids, written as they are: the counters do not follow.
  static std::uint8_t* Tiles(CKaveloInternal& board) { return board.m_tiles.get(); }
  static std::int8_t* Trail(CKaveloInternal& board) { return board.m_trail.get(); }
  static void Select(CKaveloInternal& board, int x, int y) {
    board.m_selX = static_cast<std::int16_t>(x);
    board.m_selY = static_cast<std::int16_t>(y);
  }
  static void SetReady(CKaveloInternal& board, bool ready) { board.m_boardReady = ready; }
  static void SetScore(CKaveloInternal& board, std::int32_t score) { board.m_score = score; }
  static void SetElapsed(CKaveloInternal& board, std::uint32_t seconds) { board.m_elapsed = seconds; }
  // Puts `kind` (0 for none) on the cell and keeps the tiles left.
  static void PlaceTile(CKaveloInternal& board, int x, int y, std::uint8_t kind) {
    std::uint8_t& cell = board.m_tiles[y * board.m_width + x];
    board.m_tilesLeft += (kind != 0 ? 1 : 0) - (cell != 0 ? 1 : 0);
    cell = kind;
  }
};

inline void PlaceTile(CKaveloInternal& board, int x, int y, std::uint8_t kind) {
  BoardTestAccess::PlaceTile(board, x, y, kind);
}

// An empty ready board (no copies dealt) with `tiles` placed on it.
inline std::unique_ptr<CKaveloInternal> BoardWith(int width, int height, const std::vector<PlacedTile>& tiles) {
  auto board = std::make_unique<CKaveloInternal>();
  if (!board->InitBoard(static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(height), 255, 0)) return nullptr;
  for (const PlacedTile& t : tiles) PlaceTile(*board, t.x, t.y, t.kind);
  return board;
}

inline std::vector<std::uint8_t> Tiles(const CKaveloInternal& board) {
  return {board.Tiles(), board.Tiles() + board.Width() * board.Height()};
}

inline CellSet MarkedCells(const CKaveloInternal& board) {
  CellSet cells;
  for (int i = 0; i < board.Width() * board.Height(); ++i) {
    if (board.Trail()[i] != 0) cells.insert({i % board.Width(), i / board.Width()});
  }
  return cells;
}

// The two cells of a pair by column and row.
inline std::pair<Cell, Cell> CellsOf(const CKaveloInternal& board, kavelo::logic::CellPair pair) {
  const int width = board.Width();
  return {{pair.a % width, pair.a / width}, {pair.b % width, pair.b / width}};
}

// Plays the moves as clicks; true when they win the game.
inline bool ReplayWins(CKaveloInternal& board, const std::vector<kavelo::logic::CellPair>& moves) {
  int result = Cancel;
  for (const kavelo::logic::CellPair& m : moves) {
    const auto [p, q] = CellsOf(board, m);
    if (!board.ClickCell(p.first, p.second, result) || result != Choose) return false;
    if (!board.ClickCell(q.first, q.second, result) || (result != Connect && result != Win)) return false;
  }
  return result == Win || (moves.empty() && board.TilesLeft() == 0);
}
