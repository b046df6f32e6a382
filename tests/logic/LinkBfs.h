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
    const int width = board.Width();
    const auto inGrid = [&](int x, int y) { return x >= 0 && y >= 0 && x < width && y < board.Height(); };
    if (!board.Ready() || !board.Tiles() || (x1 == x2 && y1 == y2)) return false;
    if (!inGrid(x1, y1) || !inGrid(x2, y2)) return false;
    m_seen.resize(std::max(m_seen.size(), static_cast<std::size_t>(width) * board.Height() * kStatesPerCell));
    if (++m_search == 0) std::fill(m_seen.begin(), m_seen.end(), m_search++);  // the stamps wrapped: all 0, then 1
    m_queue.assign(1, State{std::uint8_t(x1), std::uint8_t(y1), kNowhere, 0});
    for (std::size_t head = 0; head < m_queue.size(); ++head) {
      const State s = m_queue[head];
      for (int dir = 0; dir < 4; ++dir) {
        const int x = s.x + kStep[dir][0];
        const int y = s.y + kStep[dir][1];
        const int turns = s.turns + (s.dir == kNowhere || dir == s.dir ? 0 : 1);
        if ((dir + 2) % 4 == s.dir || turns > 2 || !inGrid(x, y)) continue;  // turning back never helps
        if (x == x2 && y == y2) return true;
        std::uint32_t& seen = m_seen[(static_cast<std::size_t>(y) * width + x) * kStatesPerCell + dir * 3 + turns];
        if (board.Tiles()[y * width + x] != 0 || seen == m_search) continue;
        seen = m_search;
        m_queue.push_back({std::uint8_t(x), std::uint8_t(y), std::uint8_t(dir), std::uint8_t(turns)});
      }
    }
    return false;
  }

 private:
  static constexpr int kStatesPerCell = 4 * 3;  // four directions of travel, zero to two turns used
  static constexpr std::uint8_t kNowhere = 4;   // the start's direction: any first step is straight on
  static constexpr int kStep[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};  // x and y per direction

  struct State { std::uint8_t x, y, dir, turns; };
  std::vector<std::uint32_t> m_seen;  // per state: the search that reached it
  std::vector<State> m_queue;
  std::uint32_t m_search = 0;
};
