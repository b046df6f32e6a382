#pragma once
// Boards for tests and benchmarks: a ready board holding exactly the tiles asked for.

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "logic/KaveloInternal.h"

struct PlacedTile {
  int x;
  int y;
  std::uint8_t kind;
};

inline void PlaceTile(CKaveloInternal& board, int x, int y, std::uint8_t kind) {
  std::uint8_t& cell = board.m_tiles[y * board.m_width + x];
  board.m_tilesLeft += (kind != 0 ? 1 : 0) - (cell != 0 ? 1 : 0);
  cell = kind;
}

// An empty ready board (no copies dealt) with `tiles` placed on it.
inline std::unique_ptr<CKaveloInternal> BoardWith(int width, int height, const std::vector<PlacedTile>& tiles,
                                                  std::uint8_t kinds = 255) {
  auto board = std::make_unique<CKaveloInternal>();
  if (!board->InitBoard(static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(height), kinds, 0)) return nullptr;
  for (const PlacedTile& t : tiles) PlaceTile(*board, t.x, t.y, t.kind);
  return board;
}

// Fills every cell, border ring included, with a tile of a random kind 1..kinds with the
// given probability, otherwise empties it.
inline void FillRandomly(CKaveloInternal& board, std::mt19937& random, double density, int kinds) {
  std::bernoulli_distribution occupied(density);
  std::uniform_int_distribution<int> kind(1, kinds);
  for (int y = 0; y < board.m_height; ++y) {
    for (int x = 0; x < board.m_width; ++x) {
      PlaceTile(board, x, y, occupied(random) ? static_cast<std::uint8_t>(kind(random)) : 0);
    }
  }
}
