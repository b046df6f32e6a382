// The solver extensions: clearing orders, safe hints, clearable shuffles, undo and redo.
#include <PlgKavelo/KaveloFather.h>

#include <algorithm>
#include <cstdint>

#include "logic/KaveloInternal.h"

namespace {

constexpr std::uint32_t kSafeHintBudgetMs = 50;  // short enough for a key press

}  // namespace

KaveloSolveResult CKaveloFather::Solve(std::vector<KaveloMove>& moves, int budgetMs) const {
  moves.clear();
  if (!m_pInternal) return KaveloUnknown;
  std::vector<KaveloHint> pairs;
  const SolveVerdict verdict = m_pInternal->Solve(pairs, static_cast<std::uint32_t>(std::max(budgetMs, 0)));
  if (verdict != SolveVerdict::Solved) return verdict == SolveVerdict::Unsolvable ? KaveloUnsolvable : KaveloUnknown;
  for (const KaveloHint& p : pairs) moves.push_back({p.x1, p.y1, p.x2, p.y2});
  return KaveloSolved;
}

bool CKaveloFather::FindSafeHint(KaveloMove& move) const {
  KaveloHint hint{};
  if (!m_pInternal || !m_pInternal->FindSafeHint(hint, kSafeHintBudgetMs)) return false;
  move = {hint.x1, hint.y1, hint.x2, hint.y2};
  return true;
}

void CKaveloFather::SetSolvableShuffles(bool on) {
  m_bSolvableShuffles = on;
  if (m_pInternal) m_pInternal->SetSolvableShuffles(on);
}

bool CKaveloFather::Undo() { return m_bRunning && m_pInternal && m_pInternal->Undo(); }

// A redo never clears the board: the removal it repeats did not, or no game would run.
bool CKaveloFather::Redo() { return m_bRunning && m_pInternal && m_pInternal->Redo(); }
