#pragma once
// The encoders behind EncodePicture, one file each.

#include <cstdint>
#include <vector>

#include "fuzz/SeedPictures.h"

namespace kavelo::fuzz {

// A picture as palette indices: up to 256 colours (red, green, blue, alpha packed with
// red in the low byte) and one index per pixel, top row first. False for more colours.
struct IndexedPicture {
  std::vector<std::uint32_t> colours;
  std::vector<std::uint8_t> indices;
};
bool ToIndexed(const SeedPicture& picture, IndexedPicture& indexed);

std::vector<std::uint8_t> EncodeBmp(const SeedPicture& picture, SeedFormat format);
std::vector<std::uint8_t> EncodeGif(const SeedPicture& picture, SeedFormat format);
std::vector<std::uint8_t> EncodeIcon(const SeedPicture& picture, SeedFormat format);
// PNG and JPEG through SDL_image's writers.
std::vector<std::uint8_t> EncodeWithSdl(const SeedPicture& picture, SeedFormat format);

// Little-endian appends, as both BMP and GIF store their numbers.
inline void PutLe16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void PutLe32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  PutLe16(out, v & 0xFFFF);
  PutLe16(out, v >> 16);
}

}  // namespace kavelo::fuzz
