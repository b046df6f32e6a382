#include "fuzz/SeedPictures.h"

#include <algorithm>
#include <fstream>

#include "fuzz/SeedEncoders.h"

namespace kavelo::fuzz {

SeedPicture MakeTilePicture(int kind, int width, int height) {
  SeedPicture picture{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4)};
  const std::uint8_t r = static_cast<std::uint8_t>(40 + kind * 37);
  const std::uint8_t g = static_cast<std::uint8_t>(220 - kind * 29);
  const std::uint8_t b = static_cast<std::uint8_t>(90 + kind * 53);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = &picture.rgba[(static_cast<std::size_t>(y) * width + x) * 4];
      const bool frame = x == 0 || y == 0 || x == width - 1 || y == height - 1;
      p[0] = frame ? 0 : r;
      p[1] = frame ? 0 : g;
      p[2] = frame ? 0 : b;
      p[3] = 255;
    }
  }
  if (width > 2 && height > 2) picture.rgba[(static_cast<std::size_t>(width) + 1) * 4 + 3] = 128;
  return picture;
}

bool ToIndexed(const SeedPicture& picture, IndexedPicture& indexed) {
  indexed = {};
  const std::size_t pixels = static_cast<std::size_t>(picture.width) * picture.height;
  indexed.indices.reserve(pixels);
  for (std::size_t i = 0; i < pixels; ++i) {
    const std::uint8_t* p = &picture.rgba[i * 4];
    const std::uint32_t colour = p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24);
    auto found = std::find(indexed.colours.begin(), indexed.colours.end(), colour);
    if (found == indexed.colours.end()) {
      if (indexed.colours.size() == 256) return false;
      found = indexed.colours.insert(indexed.colours.end(), colour);
    }
    indexed.indices.push_back(static_cast<std::uint8_t>(found - indexed.colours.begin()));
  }
  return true;
}

std::vector<std::uint8_t> EncodePicture(const SeedPicture& picture, SeedFormat format) {
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.rgba.size() != static_cast<std::size_t>(picture.width) * picture.height * 4) {
    return {};
  }
  switch (format) {
    case SeedFormat::kBmp24:
    case SeedFormat::kBmp32V5:
    case SeedFormat::kBmpCore:
    case SeedFormat::kBmpTopDown:
    case SeedFormat::kBmpPalette8:
      return EncodeBmp(picture, format);
    case SeedFormat::kPng:
    case SeedFormat::kJpeg:
      return EncodeWithSdl(picture, format);
    case SeedFormat::kGif:
    case SeedFormat::kGifTransparent:
    case SeedFormat::kGifTwoFrames:
      return EncodeGif(picture, format);
    case SeedFormat::kIcon:
    case SeedFormat::kIconPng:
      return EncodeIcon(picture, format);
  }
  return {};
}

const char* SeedFormatSuffix(SeedFormat format) {
  switch (format) {
    case SeedFormat::kPng:
      return ".png";
    case SeedFormat::kJpeg:
      return ".jpg";
    case SeedFormat::kGif:
    case SeedFormat::kGifTransparent:
    case SeedFormat::kGifTwoFrames:
      return ".gif";
    case SeedFormat::kIcon:
    case SeedFormat::kIconPng:
      return ".ico";
    default:
      return ".bmp";
  }
}

bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace kavelo::fuzz
