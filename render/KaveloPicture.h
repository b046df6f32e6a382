#pragma once
// One picture the renderer owns, with its own size kept next to its pixels, so that no
// pass or copy relies on another picture's size to stay inside this buffer.

#include <cstdint>
#include <memory>

#include "image/DecodedPicture.h"
#include "platform/FrameSurface.h"

struct KaveloPicture {
  kavelo::image::PixelBuffer pixels;  // width x height x 4 bytes (blue, green, red, alpha), bottom row first
  int width = 0;
  int height = 0;

  bool Present() const { return pixels != nullptr && width > 0 && height > 0; }
  kavelo::platform::BottomUpPicture View() const { return {pixels.get(), width, height}; }
};

// Key-colour passes run once after loading. A pixel is pure black when its blue, green
// and red bytes are all 0, whatever its alpha.
bool IsPureBlack(const std::uint8_t* bgra);
// Tile pictures: pure black gets alpha 0, every other pixel alpha 255.
void KeyBlackTransparent(KaveloPicture& picture);
// Selection mark and time bar: every pixel but pure black gets alpha 255; black keeps its own.
void KeyOpaqueExceptBlack(KaveloPicture& picture);
