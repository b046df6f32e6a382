#pragma once
// Small pictures made by the project itself, in every file format the loader reads: the
// seeds of the picture fuzzer and the art folder that the protocol fuzzer plays with.

#include <cstdint>
#include <string>
#include <vector>

namespace kavelo::fuzz {

// width x height pixels of red, green, blue, alpha, top row first.
struct SeedPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
};

// A tile of kind `kind`: its own colour, a pure black frame (the key colour) and one
// half-transparent corner pixel.
SeedPicture MakeTilePicture(int kind, int width, int height);

enum class SeedFormat {
  kBmp24,          // the common 40-byte header, bottom-up rows of 24 bits
  kBmp32V5,        // the 124-byte header with channel masks and alpha
  kBmpCore,        // the oldest 12-byte header with 16-bit sides
  kBmpTopDown,     // a negative height: rows top-down
  kBmpPalette8,    // 8 bits per pixel through a colour table
  kPng,
  kJpeg,
  kGif,
  kGifTransparent, // one palette entry transparent
  kGifTwoFrames,   // a second, smaller frame after the first
  kIcon,           // two entries of the same size: 8 bits through a colour table, 24 bits
  kIconPng,        // one entry holding a PNG
};
inline constexpr SeedFormat kAllSeedFormats[] = {
    SeedFormat::kBmp24, SeedFormat::kBmp32V5, SeedFormat::kBmpCore, SeedFormat::kBmpTopDown,
    SeedFormat::kBmpPalette8, SeedFormat::kPng, SeedFormat::kJpeg, SeedFormat::kGif,
    SeedFormat::kGifTransparent, SeedFormat::kGifTwoFrames, SeedFormat::kIcon, SeedFormat::kIconPng};

// The file's bytes; empty when the picture cannot be written in that format (a palette
// format with more than 256 colours, or an encoder that fails).
std::vector<std::uint8_t> EncodePicture(const SeedPicture& picture, SeedFormat format);
// The usual file-name ending of the format, with its dot.
const char* SeedFormatSuffix(SeedFormat format);

bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace kavelo::fuzz
