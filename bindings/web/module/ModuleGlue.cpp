// What the JavaScript package needs of the plug-in beyond its C interface: games whose
// callbacks reach the page, and frames turned into the canvas's byte order. Built with
// WebAssembly's SIMD, which every browser the package serves has.
#include <PlgKavelo/Kavelo.h>
#include <emscripten/emscripten.h>
#include <wasm_simd128.h>

#include <cstdint>
#include <cstring>

namespace {

// The package keeps its games by number; the callbacks hand that number back.
EM_JS(void, KaveloWebFrameReady, (int id), { if (Module['kaveloFrameReady']) Module['kaveloFrameReady'](id); });
EM_JS(void, KaveloWebGameOver, (int id, int won), { if (Module['kaveloGameOver']) Module['kaveloGameOver'](id, won); });

void FrameReady(void* context) { KaveloWebFrameReady(static_cast<int>(reinterpret_cast<std::intptr_t>(context))); }
void GameOver(void* context, int won) { KaveloWebGameOver(static_cast<int>(reinterpret_cast<std::intptr_t>(context)), won); }

// One row from the plug-in's blue, green, red, alpha to the canvas's red, green, blue,
// alpha, fully opaque (the frame is a picture, not a layer), sixteen bytes at a time.
// Without `write` it only tells whether the converted row differs from `out`.
bool RowToRgba(const std::uint8_t* in, std::uint8_t* out, std::size_t bytes, bool write) {
  const v128_t opaque = wasm_i32x4_splat(static_cast<int>(0xFF000000u));
  v128_t differs = wasm_i32x4_splat(0);
  std::size_t i = 0;
  for (; i + 16 <= bytes; i += 16) {
    const v128_t p = wasm_v128_load(in + i);
    const v128_t q = wasm_v128_or(wasm_i8x16_shuffle(p, p, 2, 1, 0, 3, 6, 5, 4, 7, 10, 9, 8, 11, 14, 13, 12, 15), opaque);
    if (write) {
      wasm_v128_store(out + i, q);
    } else {
      differs = wasm_v128_or(differs, wasm_v128_xor(q, wasm_v128_load(out + i)));
    }
  }
  bool changed = wasm_v128_any_true(differs);
  for (; i < bytes; i += 4) {
    const std::uint8_t q[4] = {in[i + 2], in[i + 1], in[i], 0xFF};
    if (write) std::memcpy(out + i, q, 4);
    changed = changed || std::memcmp(out + i, q, 4) != 0;
  }
  return changed;
}

}  // namespace

extern "C" {

// A game whose frames and end are reported to Module.kaveloFrameReady(id) and
// Module.kaveloGameOver(id, won). Null when memory runs out.
EMSCRIPTEN_KEEPALIVE KaveloGame* KaveloWebCreate(int id) {
  const KaveloHostDesc host{reinterpret_cast<void*>(static_cast<std::intptr_t>(id)), FrameReady, GameOver};
  return KaveloCreate(&host);
}

// Brings the canvas's copy of the frame up to date: `rgba` holds the previous frame in
// red, green, blue, alpha order, `bgra` the plug-in's new one. Only rows that differ are
// written, and the band they lie in is returned, so that the page uploads only that band
// (a tick mostly changes the time bar and a trail). Answers the number of rows from the
// first changed one to the last, 0 when none changed, with the first in *firstRow.
EMSCRIPTEN_KEEPALIVE int KaveloWebToRgba(const std::uint8_t* bgra, std::uint8_t* rgba, int width, int height,
                                         int* firstRow) {
  if (bgra == nullptr || rgba == nullptr || firstRow == nullptr || width <= 0 || height <= 0) return 0;
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
  int first = -1, last = -1;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* in = bgra + static_cast<std::size_t>(y) * rowBytes;
    std::uint8_t* out = rgba + static_cast<std::size_t>(y) * rowBytes;
    if (!RowToRgba(in, out, rowBytes, false)) continue;
    RowToRgba(in, out, rowBytes, true);
    if (first < 0) first = y;
    last = y;
  }
  *firstRow = first < 0 ? 0 : first;
  return first < 0 ? 0 : last - first + 1;
}

}  // extern "C"
