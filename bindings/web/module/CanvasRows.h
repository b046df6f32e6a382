#pragma once
// Frames turned into the byte order of a canvas's ImageData, for the web modules.

#include <cstdint>

extern "C" {

// Converts rows [first, first + count) of a frame `width` pixels wide from the plug-in's
// blue, green, red, alpha into red, green, blue, alpha, fully opaque (the frame is a
// picture, not a layer): the band KaveloChangedRows names after each frame.
void KaveloWebToRgba(const std::uint8_t* bgra, std::uint8_t* rgba, int width, int first, int count);

}  // extern "C"
