// The solver on the board: clearing orders and hints that keep the board clearable.
#include "logic/BoardSolver.h"
#include "logic/KaveloInternal.h"

SolveVerdict CKaveloInternal::Solve(std::vector<KaveloHint>& moves, std::uint32_t budgetMs) const {
  moves.clear();
  if (!m_boardReady || !m_tiles) return SolveVerdict::Unknown;
  std::vector<kavelo::logic::CellPair> pairs;
  const SolveVerdict verdict = kavelo::logic::SolveGrid({m_tiles.get(), m_width, m_height}, {budgetMs, m_clocks.tickMs}, pairs);
  for (const auto& p : pairs) {
    moves.push_back({static_cast<std::uint8_t>(p.a % m_width), static_cast<std::uint8_t>(p.a / m_width),
                     static_cast<std::uint8_t>(p.b % m_width), static_cast<std::uint8_t>(p.b / m_width)});
  }
  return verdict;
}

bool CKaveloInternal::FindSafeHint(KaveloHint& hint, std::uint32_t budgetMs) const {
  std::vector<KaveloHint> moves;
  if (Solve(moves, budgetMs) == SolveVerdict::Solved && !moves.empty()) {
    hint = moves.front();
    return true;
  }
  return FindHint(hint);
}
