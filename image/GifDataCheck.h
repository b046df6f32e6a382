#pragma once
// A check of a GIF file's frames before the decoder sees them, for two faults of the
// decoder that no encoder's file provokes:
// - it follows each code through its table without bounds: a code that names an entry
//   not made yet can tie entries into a loop, which it follows until it writes past its
//   own stack;
// - it passes over a frame with no width or no height without reading the frame's data,
//   and takes bytes inside that data for blocks: a frame hidden there escapes the size
//   check and may make it allocate gigabytes.

#include <cstddef>
#include <cstdint>

namespace kavelo::image {

// True when every frame has a width and a height, every frame's codes name literals or
// table entries already made (or the very next one), and the first code after the start
// and after each reset is a literal, a reset or the end code. Reads only within the
// `size` bytes at `bytes`; a file that ends early is judged on what it holds.
bool GifSafeToDecode(const std::uint8_t* bytes, std::size_t size);

}  // namespace kavelo::image
