// A depth-first search for a clearing order, on a working copy of the grid. A position
// that failed once (a hash of its cells and their kinds in a memo) is not searched again.
//
// Without falls, removing tiles only frees cells, so a link that works now still works
// after any other removal. Then when every tile left of a kind can be paired off by links
// that work now, removing those pairs at once loses nothing (any clearing stays a clearing
// with them moved to the front), so they are played without branching. Falls move tiles
// out of reach as well as into it, so under gravity every removal is a branch.
#include "logic/BoardSolver.h"

#include <algorithm>
#include <optional>
#include <random>
#include <unordered_set>

namespace kavelo::logic {
namespace {

constexpr int kMaxPairedOffKind = 8;         // larger kinds are left to the branching
constexpr std::size_t kMaxMemo = 1u << 20;   // failed positions remembered, about 40 MB at most
constexpr int kTestsPerClockReading = 256;   // link tests between readings of the clock
constexpr std::size_t kRestartUnit = 4;      // dead positions a search under falls may meet, times Luby's term
constexpr int kLimitedSearches = 256;        // searches with a limit before one without
constexpr std::uint64_t kRestartNoise = 4;   // weight points a restarted search may move an option by
constexpr int kClosingBonus = 16;            // under falls, a kind's last pair goes first

// A tile's share of the position hash: splitmix64 of its cell and kind.
std::uint64_t TileKey(std::size_t cell, std::uint8_t kind) {
  std::uint64_t z = (std::uint64_t{cell} * kKindSlots + kind) * 0x9E3779B97F4A7C15ULL + 0x632BE59BD9B4E019ULL;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

// Luby's sequence 1, 1, 2, 1, 1, 2, 4, 1, 1, 2, ...: term i (from 1).
std::size_t Luby(int i) {
  for (int k = 1;; ++k) {
    const int power = 1 << k;
    if (i == power - 1) return std::size_t{1} << (k - 1);
    if (i < power - 1) return Luby(i - (power >> 1) + 1);
  }
}

class Solver {
 public:
  Solver(const GridView& grid, Gravity gravity, const SolveLimits& limits)
      : m_width(grid.width), m_height(grid.height), m_gravity(gravity), m_limits(limits),
        m_cells(grid.cells, grid.cells + static_cast<std::size_t>(grid.width) * grid.height) {
    for (std::size_t i = 0; i < m_cells.size(); ++i) {
      if (m_cells[i] == 0) continue;
      m_kindCells[m_cells[i]].push_back(static_cast<int>(i));
      m_hash ^= TileKey(i, m_cells[i]);
      ++m_left;
    }
    for (int kind = 1; kind < kKindSlots; ++kind) {
      if (!m_kindCells[kind].empty()) m_kinds.push_back(kind);
    }
  }

  SolveVerdict Run(std::vector<CellPair>& moves) {
    moves.clear();
    for (int kind : m_kinds) {
      if (m_kindCells[kind].size() % 2 != 0) return SolveVerdict::Unsolvable;
    }
    m_start = m_limits.nowMs();
    // Under falls an early wrong removal can cost a long search: searches that meet more
    // dead positions than their limit start again with ties ordered anew, the limits
    // following Luby's sequence, until one runs without a limit. Dead positions stay
    // remembered across them.
    if (m_gravity != Gravity::None) {
      for (; m_restarts < kLimitedSearches; ++m_restarts) {
        const std::optional<SolveVerdict> verdict = Search(kRestartUnit * Luby(m_restarts + 1), moves);
        if (verdict) return *verdict;
      }
    }
    return *Search(0, moves);
  }

 private:
  // One depth-first search meeting at most `limit` dead positions (0: any number); nothing
  // when it stopped at the limit, with the grid as it started.
  std::optional<SolveVerdict> Search(std::size_t limit, std::vector<CellPair>& moves) {
    std::size_t deadEnds = 0;
    std::vector<Frame> stack(1);
    Entry entry = Enter(stack.back());
    while (entry != Entry::Solved) {
      if (entry == Entry::OutOfTime) return SolveVerdict::Unknown;
      if (entry == Entry::Dead) stack.pop_back();
      if (stack.empty()) return SolveVerdict::Unsolvable;
      if (entry == Entry::Dead && limit != 0 && ++deadEnds > limit) {
        UndoTo(0);
        return std::nullopt;
      }
      Frame& frame = stack.back();
      UndoTo(frame.base);
      if (frame.next == frame.options.size()) {
        // Every option failed: the position is dead.
        UndoTo(frame.mark);
        if (m_failed.size() < kMaxMemo) m_failed.insert(frame.hash);
        entry = Entry::Dead;
        continue;
      }
      Remove(frame.options[frame.next++]);
      stack.emplace_back();
      entry = Enter(stack.back());
    }
    moves = m_moves;
    return SolveVerdict::Solved;
  }

  enum class Entry { Solved, Open, Dead, OutOfTime };

  // A position being searched: its hash, the moves made before it and after its own
  // safe removals, and its options in the order they are tried.
  struct Frame {
    std::uint64_t hash = 0;
    std::size_t mark = 0;
    std::size_t base = 0;
    std::vector<CellPair> options;
    std::size_t next = 0;
  };

  bool Links(int a, int b) const {
    // One position of a big grid may take many tests: the clock is read between them too.
    if (++m_testsSinceClock >= kTestsPerClockReading) {
      m_testsSinceClock = 0;
      if (OutOfTime()) m_expired = true;
    }
    if (m_expired) return false;
    return CellsLink({m_cells.data(), m_width, m_height}, a % m_width, a / m_width, b % m_width, b / m_width);
  }

  void Remove(CellPair pair) {
    const std::uint8_t kind = m_cells[pair.a];
    m_hash ^= TileKey(pair.a, kind) ^ TileKey(pair.b, kind);
    m_cells[pair.a] = m_cells[pair.b] = 0;
    m_left -= 2;
    m_moves.push_back(pair);
    m_removed.push_back({kind, m_falls.size()});
    SettleAfterRemoval(m_cells.data(), m_width, m_height, m_gravity, pair, m_falls);
    for (std::size_t i = m_removed.back().fallStart; i < m_falls.size(); ++i) {
      const TileMove& move = m_falls[i];
      const std::uint8_t moved = m_cells[move.to];
      m_hash ^= TileKey(move.from, moved) ^ TileKey(move.to, moved);
      // A kind's cells are every cell its tiles have held in this search.
      std::vector<int>& cells = m_kindCells[moved];
      if (std::find(cells.begin(), cells.end(), move.to) == cells.end()) cells.push_back(move.to);
    }
  }

  void UndoTo(std::size_t count) {
    while (m_moves.size() > count) {
      const CellPair pair = m_moves.back();
      const RemovalRecord removal = m_removed.back();
      m_moves.pop_back();
      m_removed.pop_back();
      for (std::size_t i = removal.fallStart; i < m_falls.size(); ++i) {
        const std::uint8_t moved = m_cells[m_falls[i].to];
        m_hash ^= TileKey(m_falls[i].from, moved) ^ TileKey(m_falls[i].to, moved);
      }
      UndoFall(m_cells.data(), m_falls.data() + removal.fallStart, m_falls.size() - removal.fallStart);
      m_falls.resize(removal.fallStart);
      m_cells[pair.a] = m_cells[pair.b] = removal.kind;
      m_hash ^= TileKey(pair.a, removal.kind) ^ TileKey(pair.b, removal.kind);
      m_left += 2;
    }
  }

  bool OutOfTime() const {
    m_expired = m_expired || m_limits.nowMs() - m_start >= m_limits.budgetMs;
    return m_expired;
  }

  // Pairs off all of `cells` by links that work now, if that can be done.
  bool PairOff(std::vector<int>& cells, std::vector<CellPair>& pairs) const {
    if (cells.empty()) return true;
    const int first = cells.back();
    cells.pop_back();
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const int other = cells[i];
      if (!Links(first, other)) continue;
      std::vector<int> rest = cells;
      rest.erase(rest.begin() + static_cast<std::ptrdiff_t>(i));
      pairs.push_back({first, other});
      if (PairOff(rest, pairs)) return true;
      pairs.pop_back();
    }
    cells.push_back(first);
    return false;
  }

  void AliveCells(int kind, std::vector<int>& alive) const {
    alive.clear();
    for (int cell : m_kindCells[kind]) {
      if (m_cells[cell] == kind) alive.push_back(cell);
    }
  }

  void RemoveSafePairs() {
    std::vector<int> alive;
    std::vector<CellPair> pairs;
    for (bool progress = true; progress && m_left > 0;) {
      progress = false;
      for (int kind : m_kinds) {
        AliveCells(kind, alive);
        if (alive.empty() || alive.size() > kMaxPairedOffKind) continue;
        pairs.clear();
        if (!PairOff(alive, pairs)) continue;
        for (const CellPair& pair : pairs) Remove(pair);
        progress = true;
      }
    }
  }

  // Tiles around a cell: removing a hemmed-in pair opens the most room.
  int Hemmed(int cell) const {
    const int x = cell % m_width, y = cell / m_width;
    return (x > 0 && m_cells[cell - 1] != 0) + (x + 1 < m_width && m_cells[cell + 1] != 0) +
           (y > 0 && m_cells[cell - m_width] != 0) + (y + 1 < m_height && m_cells[cell + m_width] != 0);
  }

  // Tiles beyond a cell on its line, away from the side they fall toward: those a removal
  // there sets falling.
  int Above(int cell) const {
    const int x = cell % m_width, y = cell / m_width;
    int count = 0;
    switch (m_gravity) {
      case Gravity::Down:
        for (int r = y - 1; r >= 1; --r) count += m_cells[r * m_width + x] != 0;
        break;
      case Gravity::Up:
        for (int r = y + 1; r <= m_height - 2; ++r) count += m_cells[r * m_width + x] != 0;
        break;
      case Gravity::Left:
        for (int c = x + 1; c <= m_width - 2; ++c) count += m_cells[y * m_width + c] != 0;
        break;
      case Gravity::Right:
        for (int c = x - 1; c >= 1; --c) count += m_cells[y * m_width + c] != 0;
        break;
      default:
        break;
    }
    return count;
  }

  int Weight(int cell) const { return m_gravity == Gravity::None ? Hemmed(cell) : Hemmed(cell) - Above(cell); }

  void ListOptions(std::vector<CellPair>& options) {
    std::vector<int> alive;
    std::vector<std::pair<int, CellPair>> scored;
    for (int kind : m_kinds) {
      AliveCells(kind, alive);
      const int closing = m_gravity != Gravity::None && alive.size() == 2 ? kClosingBonus : 0;
      for (std::size_t i = 0; i < alive.size(); ++i) {
        for (std::size_t j = i + 1; j < alive.size(); ++j) {
          if (Links(alive[i], alive[j])) {
            scored.push_back({closing + Weight(alive[i]) + Weight(alive[j]), {alive[i], alive[j]}});
          }
        }
      }
    }
    // A search started again orders the options anew, within a few points of their
    // weight (raw draws: the standard distributions differ between libraries).
    if (m_restarts > 0) {
      for (auto& option : scored) option.first += static_cast<int>(m_random() % kRestartNoise);
    }
    std::stable_sort(scored.begin(), scored.end(), [](const auto& l, const auto& r) { return l.first > r.first; });
    options.clear();
    for (const auto& s : scored) options.push_back(s.second);
  }

  Entry Enter(Frame& frame) {
    if (m_left == 0) return Entry::Solved;
    if (OutOfTime()) return Entry::OutOfTime;
    if (m_failed.count(m_hash) != 0) return Entry::Dead;
    frame.hash = m_hash;
    frame.mark = m_moves.size();
    if (m_gravity == Gravity::None) RemoveSafePairs();
    if (m_expired) return Entry::OutOfTime;
    if (m_left == 0) return Entry::Solved;
    frame.base = m_moves.size();
    ListOptions(frame.options);
    if (m_expired) return Entry::OutOfTime;
    if (!frame.options.empty()) return Entry::Open;
    UndoTo(frame.mark);
    if (m_failed.size() < kMaxMemo) m_failed.insert(frame.hash);
    return Entry::Dead;
  }

  // What a removal needs to be taken back: the pair's kind and where its fall begins in
  // m_falls.
  struct RemovalRecord {
    std::uint8_t kind;
    std::size_t fallStart;
  };

  int m_width;
  int m_height;
  Gravity m_gravity;
  const SolveLimits& m_limits;
  std::vector<std::uint8_t> m_cells;  // the working copy
  std::vector<int> m_kindCells[kKindSlots];  // per kind, the cells that may hold it
  std::vector<int> m_kinds;           // the kinds on the grid
  std::vector<CellPair> m_moves;      // removals so far, in order
  std::vector<RemovalRecord> m_removed;  // per removal in m_moves
  std::vector<TileMove> m_falls;      // the falls of the removals, in order
  std::unordered_set<std::uint64_t> m_failed;
  int m_restarts = 0;           // searches started again so far
  std::mt19937_64 m_random;     // the order of ties after a restart
  std::uint64_t m_hash = 0;
  int m_left = 0;
  std::uint32_t m_start = 0;
  mutable bool m_expired = false;  // once out of time, every answer is void
  mutable int m_testsSinceClock = 0;
};

}  // namespace

SolveVerdict SolveGrid(const GridView& grid, Gravity gravity, const SolveLimits& limits, std::vector<CellPair>& moves) {
  moves.clear();
  if (grid.cells == nullptr || grid.width <= 0 || grid.height <= 0 || !limits.nowMs) return SolveVerdict::Unknown;
  Solver solver(grid, gravity, limits);
  return solver.Run(moves);
}

}  // namespace kavelo::logic
