#pragma once
// A check of the compressed picture data of a GIF file before the decoder sees it. The
// decoder follows each code through its table without bounds: a code that names an entry
// not made yet can tie entries into a loop, which it then follows until it writes past
// its own stack. Encoders never write such codes, so a file holding one is refused.

#include <cstddef>
#include <cstdint>

namespace kavelo::image {

// True when every frame's codes name literals or table entries already made (or the
// very next one), and the first code after each reset is a literal. Reads only within
// the `size` bytes at `bytes`; a file that ends early is judged on what it holds.
bool GifCodesDefined(const std::uint8_t* bytes, std::size_t size);

}  // namespace kavelo::image
