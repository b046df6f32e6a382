// The hint extension: a move the host may show or play, found without changing the game.
#include <PlgKavelo/KaveloFather.h>

#include "logic/KaveloInternal.h"

bool CKaveloFather::FindHint(KaveloMove& move) const {
  KaveloHint hint{};
  if (!m_pInternal || !m_pInternal->FindHint(hint)) return false;
  move = {hint.x1, hint.y1, hint.x2, hint.y2};
  return true;
}
