// Built with WebAssembly's SIMD, which every browser the package serves has.
#include "CanvasRows.h"

#include <emscripten/emscripten.h>
#include <wasm_simd128.h>

#include <cstddef>
#include <cstring>

namespace {

// Pixels from the plug-in's blue, green, red, alpha to the canvas's red, green, blue,
// alpha, fully opaque (the frame is a picture, not a layer): sixteen bytes at a time.
v128_t ToRgba(v128_t bgra) {
  return wasm_v128_or(wasm_i8x16_shuffle(bgra, bgra, 2, 1, 0, 3, 6, 5, 4, 7, 10, 9, 8, 11, 14, 13, 12, 15),
                      wasm_i32x4_splat(static_cast<int>(0xFF000000u)));
}

void RowToRgba(const std::uint8_t* in, std::uint8_t* out, std::size_t bytes) {
  std::size_t i = 0;
  for (; i + 16 <= bytes; i += 16) wasm_v128_store(out + i, ToRgba(wasm_v128_load(in + i)));
  for (; i < bytes; i += 4) {
    const std::uint8_t pixel[4] = {in[i + 2], in[i + 1], in[i], 0xFF};
    std::memcpy(out + i, pixel, 4);
  }
}

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void KaveloWebToRgba(const std::uint8_t* bgra, std::uint8_t* rgba, int width,
                                                     int first, int count) {
  if (bgra == nullptr || rgba == nullptr || width <= 0 || first < 0 || count <= 0) return;
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
  const std::size_t start = static_cast<std::size_t>(first) * rowBytes;
  RowToRgba(bgra + start, rgba + start, static_cast<std::size_t>(count) * rowBytes);
}
