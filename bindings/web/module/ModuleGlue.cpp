// What the JavaScript package needs of the plug-in beyond its C interface: games whose
// callbacks reach the page, and frames turned into the canvas's byte order.
#include <PlgKavelo/Kavelo.h>
#include <emscripten/emscripten.h>

#include <cstdint>
#include <cstring>

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

// Copies `count` pixels from the plug-in's blue, green, red, alpha order to the canvas's
// red, green, blue, alpha, fully opaque: the frame is a picture, not a layer.
EMSCRIPTEN_KEEPALIVE void KaveloWebToRgba(const std::uint8_t* bgra, std::uint8_t* rgba, std::size_t count) {
  if (bgra == nullptr || rgba == nullptr) return;
  for (std::size_t i = 0; i < count; ++i) {
    std::uint32_t p;
    std::memcpy(&p, bgra + 4 * i, 4);
    // Little-endian words: 0xAARRGGBB in, 0xFFBBGGRR out.
    const std::uint32_t q = 0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
    std::memcpy(rgba + 4 * i, &q, 4);
  }
}

}  // extern "C"
