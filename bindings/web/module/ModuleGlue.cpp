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

// The deal calls with the number in two 32-bit halves: JavaScript hands no 64-bit
// integer to this module's functions.
EMSCRIPTEN_KEEPALIVE int KaveloWebSetDeal(KaveloGame* game, int numbered, std::uint32_t low, std::uint32_t high) {
  return KaveloSetDeal(game, numbered, static_cast<unsigned long long>(high) << 32 | low);
}

// As KaveloDealNumber, the number written to halves[0] (low) and halves[1] (high).
EMSCRIPTEN_KEEPALIVE int KaveloWebDealNumber(KaveloGame* game, std::uint32_t* halves) {
  if (halves == nullptr) return -1;
  unsigned long long number = 0;
  const int answer = KaveloDealNumber(game, &number);
  halves[0] = static_cast<std::uint32_t>(number);
  halves[1] = static_cast<std::uint32_t>(number >> 32);
  return answer;
}

}  // extern "C"
