// The solver on the board: clearing orders and hints that keep the board clearable.
#include "logic/BoardSolver.h"
#include "logic/KaveloInternal.h"

using kavelo::logic::CellPair;

SolveVerdict CKaveloInternal::Solve(std::vector<CellPair>& moves, std::uint32_t budgetMs) const {
  moves.clear();
  if (!m_boardReady || !m_tiles) return SolveVerdict::Unknown;
  return kavelo::logic::SolveGrid({m_tiles.get(), m_width, m_height}, m_gravity, {budgetMs, m_clocks.tickMs}, moves);
}

bool CKaveloInternal::FindSafeHint(CellPair& hint, std::uint32_t budgetMs) const {
  std::vector<CellPair> moves;
  if (Solve(moves, budgetMs) == SolveVerdict::Solved && !moves.empty()) {
    hint = moves.front();
    return true;
  }
  return FindHint(hint);
}
