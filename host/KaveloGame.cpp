#include "KaveloGame.h"

#include "GameClock.h"
#include "ModuleState.h"

namespace kavelo::host {
namespace {

// Calls in progress on this thread, and the games destroyed during them.
struct PendingFrees {
  int depth = 0;
  KaveloGame* closed = nullptr;
};
thread_local PendingFrees t_pending;

// Frees a closed game. Its clock was stopped when it closed; the timer id stored since
// may belong to a newer game, which the destructor must not stop.
void FreeClosed(KaveloGame* game) {
  ModuleState& module = Module();
  const std::uintptr_t liveClock = module.clockTimerId;
  module.clockTimerId = 0;
  delete game;
  module.clockTimerId = liveClock;
}

}  // namespace

CallScope::CallScope() { ++t_pending.depth; }

CallScope::~CallScope() {
  if (--t_pending.depth > 0) return;
  while (KaveloGame* game = t_pending.closed) {
    t_pending.closed = game->m_nextClosed;
    FreeClosed(game);
  }
}

void DestroyGame(KaveloGame* game) {
  if (game == nullptr || game->Closed()) return;
  if (t_pending.depth == 0) {
    delete game;
    return;
  }
  game->Close();
  game->m_nextClosed = t_pending.closed;
  t_pending.closed = game;
}

}  // namespace kavelo::host

int KaveloGame::OnGdiDataChange() {
  if (!m_closed && m_host.frameReady) m_host.frameReady(m_host.context);
  return 0;
}

void KaveloGame::OnGameOver(int won) {
  if (!m_closed && m_host.gameOver) m_host.gameOver(m_host.context, won);
}

void KaveloGame::Close() {
  m_closed = true;
  kavelo::host::StopClock();
  kavelo::host::ModuleState& module = kavelo::host::Module();
  if (module.currentInstance == this) module.currentInstance = nullptr;
}
