#pragma once
// An independent judge of whether two cells can be linked: a breadth-first search over
// (cell, direction of travel, turns used so far), at most two turns, through free cells
// of the grid only. It knows nothing of how the board chooses its paths.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "logic/KaveloInternal.h"

class CLinkBfs {
 public:
  bool Linked(const CKaveloInternal& board, int x1, int y1, int x2, int y2) {
    const int width = board.m_width;
    const int height = board.m_height;
    const auto inGrid = [&](int x, int y) { return x >= 0 && y >= 0 && x < width && y < height; };
    if (!board.m_boardReady || !board.m_tiles || !inGrid(x1, y1) || !inGrid(x2, y2)) return false;
    if (x1 == x2 && y1 == y2) return false;

    const std::size_t states = static_cast<std::size_t>(width) * height * kDirections * (kMaxTurns + 1);
    if (m_seen.size() < states) {
      m_seen.assign(states, 0);
      m_queue.resize(states);
    }
    if (++m_search == 0) {  // the stamps wrapped: start them afresh
      std::fill(m_seen.begin(), m_seen.end(), 0u);
      m_search = 1;
    }

    std::size_t head = 0;
    std::size_t tail = 0;
    const std::uint8_t* tiles = board.m_tiles.get();
    // Steps into (x, y) heading `dir` with `turns` used; true when that reaches the far end.
    const auto step = [&](int x, int y, int dir, int turns) {
      if (!inGrid(x, y)) return false;
      if (x == x2 && y == y2) return true;
      if (tiles[y * width + x] != 0) return false;
      std::uint32_t& seen = m_seen[((static_cast<std::size_t>(y) * width + x) * kDirections + dir) * (kMaxTurns + 1) + turns];
      if (seen != m_search) {
        seen = m_search;
        m_queue[tail++] = {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(dir),
                           static_cast<std::uint8_t>(turns)};
      }
      return false;
    };

    for (int dir = 0; dir < kDirections; ++dir) {
      if (step(x1 + kDx[dir], y1 + kDy[dir], dir, 0)) return true;
    }
    while (head < tail) {
      const State s = m_queue[head++];
      for (int dir = 0; dir < kDirections; ++dir) {
        if (dir == (s.dir + 2) % kDirections) continue;  // turning back never helps
        const int turns = s.turns + (dir == s.dir ? 0 : 1);
        if (turns > kMaxTurns) continue;
        if (step(s.x + kDx[dir], s.y + kDy[dir], dir, turns)) return true;
      }
    }
    return false;
  }

 private:
  static constexpr int kDirections = 4;
  static constexpr int kMaxTurns = 2;
  static constexpr int kDx[kDirections] = {1, 0, -1, 0};
  static constexpr int kDy[kDirections] = {0, 1, 0, -1};

  struct State {
    std::uint8_t x, y, dir, turns;
  };

  std::vector<std::uint32_t> m_seen;  // per state: the search that reached it
  std::vector<State> m_queue;
  std::uint32_t m_search = 0;
};
