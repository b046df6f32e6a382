#pragma once
// Boards drawn as rows of text for the gravity tests ('.' free, 'a' kind 1, 'b' kind 2 and
// so on), and a second, plain reading of the fall rule to judge the board's own by.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "logic/KaveloInternal.h"
#include "tests/logic/BoardBuilder.h"

using Rows = std::vector<std::string>;
using kavelo::logic::Gravity;

inline constexpr Gravity kVariants[] = {Gravity::None, Gravity::Down, Gravity::Up, Gravity::Left, Gravity::Right};

inline std::unique_ptr<CKaveloInternal> BoardFromRows(const Rows& rows, Gravity gravity) {
  std::vector<PlacedTile> tiles;
  for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
    for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) {
      if (rows[y][x] != '.') tiles.push_back({x, y, static_cast<std::uint8_t>(rows[y][x] - 'a' + 1)});
    }
  }
  auto board = BoardWith(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), tiles);
  if (board) board->SetGravity(gravity);
  return board;
}

inline Rows RowsOf(const CKaveloInternal& board) {
  Rows rows(board.Height(), std::string(board.Width(), '.'));
  for (int y = 0; y < board.Height(); ++y) {
    for (int x = 0; x < board.Width(); ++x) {
      const std::uint8_t kind = board.GetTile(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y));
      if (kind != 0) rows[y][x] = static_cast<char>('a' + kind - 1);
    }
  }
  return rows;
}

// The rule read plainly: the interior line through each emptied cell, along the variant's
// direction, gets its tiles in their order, packed against the variant's side.
inline void ReferenceFall(std::vector<std::uint8_t>& grid, int width, int height, Gravity gravity, int a, int b) {
  if (gravity == Gravity::None) return;
  const bool columns = gravity == Gravity::Down || gravity == Gravity::Up;
  const bool towardHigh = gravity == Gravity::Down || gravity == Gravity::Right;
  const int length = columns ? height - 2 : width - 2;
  for (const int cell : {a, b}) {
    const int line = columns ? cell % width : cell / width;
    if (line < 1 || line > (columns ? width : height) - 2) continue;
    const auto at = [&](int pos) -> std::uint8_t& {
      return columns ? grid[(1 + pos) * width + line] : grid[line * width + 1 + pos];
    };
    std::vector<std::uint8_t> kinds;
    for (int pos = 0; pos < length; ++pos) {
      if (at(pos) != 0) kinds.push_back(at(pos));
    }
    const int start = towardHigh ? length - static_cast<int>(kinds.size()) : 0;
    for (int pos = 0; pos < length; ++pos) {
      const int k = pos - start;
      at(pos) = k >= 0 && k < static_cast<int>(kinds.size()) ? kinds[k] : 0;
    }
  }
}
