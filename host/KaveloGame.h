#pragma once
// The game behind a C handle: a host object of the plug-in's own, which hands the two
// callbacks on to the C host's functions. The C functions reach it through WithGame.

#include <PlgKavelo/KaveloFather.h>

struct KaveloGame final : public CKaveloFather {
  explicit KaveloGame(const KaveloHostDesc& host) : m_host(host) {}
  int OnGdiDataChange() override;
  void OnGameOver(int won) override;

  // Does at once what the destructor does for the host: stops the clock, gives up the
  // current instance and silences the callbacks. The object waits to be freed.
  void Close();
  bool Closed() const { return m_closed; }

  KaveloGame* m_nextClosed = nullptr;  // the list of closed games waiting to be freed

 private:
  KaveloHostDesc m_host;
  bool m_closed = false;
};

namespace kavelo::host {

// Marks a call into the plug-in in progress on this thread. Plug-in code may still touch
// a game after its callback returns, so a game destroyed while any call is in progress
// is only closed, and freed when the outermost call ends.
class CallScope {
 public:
  CallScope();
  ~CallScope();
  CallScope(const CallScope&) = delete;
  CallScope& operator=(const CallScope&) = delete;
};

// Frees the game now, or closes it and frees it when the outermost call ends.
void DestroyGame(KaveloGame* game);

// Runs `call` on a live game inside a call scope: -1 for a null or destroyed game and
// when anything is thrown, so that no exception reaches the host.
template <typename Call>
int WithGame(KaveloGame* game, Call&& call) noexcept {
  if (game == nullptr || game->Closed()) return -1;
  try {
    const CallScope scope;
    return call(*game);
  } catch (...) {
    return -1;
  }
}

}  // namespace kavelo::host
