// The move extensions: hints, clearing orders, clearable shuffles, undo and redo, all
// refused while the game is paused. The
// board names cells by grid element; here they become the public KaveloMove.
#include <PlgKavelo/KaveloFather.h>

#include <algorithm>
#include <cstdint>

#include "logic/KaveloInternal.h"

using kavelo::logic::CellPair;

namespace {

constexpr std::uint32_t kSafeHintBudgetMs = 50;  // short enough for a key press

KaveloMove ToMove(const CKaveloInternal& board, CellPair pair) {
  const int width = board.Width();
  return {pair.a % width, pair.a / width, pair.b % width, pair.b / width};
}

KaveloSolveResult ToSolveResult(SolveVerdict verdict) {
  if (verdict == SolveVerdict::Solved) return KaveloSolved;
  return verdict == SolveVerdict::Unsolvable ? KaveloUnsolvable : KaveloUnknown;
}

}  // namespace

bool CKaveloFather::FindHint(KaveloMove& move) const {
  CellPair hint;
  if (!m_pInternal || m_bPaused || !m_pInternal->FindHint(hint)) return false;
  move = ToMove(*m_pInternal, hint);
  return true;
}

KaveloSolveResult CKaveloFather::Solve(std::vector<KaveloMove>& moves, int budgetMs) const {
  moves.clear();
  if (!m_pInternal || m_bPaused) return KaveloUnknown;
  std::vector<CellPair> pairs;
  const SolveVerdict verdict = m_pInternal->Solve(pairs, static_cast<std::uint32_t>(std::max(budgetMs, 0)));
  if (verdict == SolveVerdict::Solved) {
    for (const CellPair& pair : pairs) moves.push_back(ToMove(*m_pInternal, pair));
  }
  return ToSolveResult(verdict);
}

bool CKaveloFather::FindSafeHint(KaveloMove& move) const {
  CellPair hint;
  if (!m_pInternal || m_bPaused || !m_pInternal->FindSafeHint(hint, kSafeHintBudgetMs)) return false;
  move = ToMove(*m_pInternal, hint);
  return true;
}

void CKaveloFather::SetSolvableShuffles(bool on) {
  m_bSolvableShuffles = on;
  if (m_pInternal) m_pInternal->SetSolvableShuffles(on);
}

void CKaveloFather::SetDeal(std::optional<std::uint64_t> number) { m_dealNumber = number; }

std::optional<std::uint64_t> CKaveloFather::DealNumber() const {
  if (!m_pInternal || !m_pInternal->Ready()) return std::nullopt;
  return m_pInternal->DealNumber();
}

bool CKaveloFather::Undo() { return m_bRunning && !m_bPaused && m_pInternal && m_pInternal->Undo(); }

// A redo never clears the board: the removal it repeats did not, or no game would run.
bool CKaveloFather::Redo() { return m_bRunning && !m_bPaused && m_pInternal && m_pInternal->Redo(); }
