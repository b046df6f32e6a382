// What the JavaScript package needs of the plug-in beyond its C interface: games whose
// callbacks reach the page (frames turn into the canvas's byte order in CanvasRows).
#include <PlgKavelo/Kavelo.h>
#include <emscripten/emscripten.h>

#include <cstdint>

namespace {

// The package keeps its games by number; the callbacks hand that number back.
EM_JS(void, KaveloWebFrameReady, (int id), { if (Module['kaveloFrameReady']) Module['kaveloFrameReady'](id); });
EM_JS(void, KaveloWebGameOver, (int id, int won), { if (Module['kaveloGameOver']) Module['kaveloGameOver'](id, won); });

void FrameReady(void* context) { KaveloWebFrameReady(static_cast<int>(reinterpret_cast<std::intptr_t>(context))); }
void GameOver(void* context, int won) { KaveloWebGameOver(static_cast<int>(reinterpret_cast<std::intptr_t>(context)), won); }

}  // namespace

extern "C" {

// A game whose frames and end are reported to Module.kaveloFrameReady(id) and
// Module.kaveloGameOver(id, won). Null when memory runs out.
EMSCRIPTEN_KEEPALIVE KaveloGame* KaveloWebCreate(int id) {
  const KaveloHostDesc host{reinterpret_cast<void*>(static_cast<std::intptr_t>(id)), FrameReady, GameOver};
  return KaveloCreate(&host);
}

}  // extern "C"
