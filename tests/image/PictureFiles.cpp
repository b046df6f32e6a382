#include "tests/image/PictureFiles.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>

namespace kavelo::image::test {
namespace {

struct SurfaceFree {
  void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

Surface MakeSurface(const TestPicture& picture, bool withAlpha) {
  Surface surface(SDL_CreateRGBSurfaceWithFormat(0, picture.width, picture.height, 32,
                                                 SDL_PIXELFORMAT_RGBA32));
  if (!surface) return surface;
  for (int y = 0; y < picture.height; ++y) {
    auto* row = static_cast<std::uint8_t*>(surface->pixels) + y * surface->pitch;
    for (int x = 0; x < picture.width; ++x) {
      const Rgba c = picture.At(x, y);
      row[4 * x] = c.r;
      row[4 * x + 1] = c.g;
      row[4 * x + 2] = c.b;
      row[4 * x + 3] = withAlpha ? c.a : 255;
    }
  }
  return surface;
}

// Writes GIF codes of a fixed 9-bit width, least significant bit first.
class CodeWriter {
 public:
  void Put(unsigned code) {
    m_bits |= code << m_count;
    m_count += 9;
    while (m_count >= 8) {
      m_bytes.push_back(static_cast<std::uint8_t>(m_bits & 0xFF));
      m_bits >>= 8;
      m_count -= 8;
    }
  }
  std::vector<std::uint8_t> Finish() {
    if (m_count > 0) m_bytes.push_back(static_cast<std::uint8_t>(m_bits & 0xFF));
    return m_bytes;
  }

 private:
  unsigned m_bits = 0;
  int m_count = 0;
  std::vector<std::uint8_t> m_bytes;
};

}  // namespace

ScratchFolder::ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "kavelo-image-XXXXXX").string();
  if (::mkdtemp(pattern.data()) != nullptr) m_root = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  if (!m_root.empty()) std::filesystem::remove_all(m_root, ignored);
}

TestPicture Gradient(int width, int height) {
  TestPicture picture{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      picture.pixels.push_back({static_cast<std::uint8_t>(x * 255 / std::max(1, width - 1)),
                                static_cast<std::uint8_t>(y * 255 / std::max(1, height - 1)), 40, 255});
    }
  }
  return picture;
}

TestPicture Quadrants(int side) {
  const Rgba colours[4] = {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 255, 255}};
  TestPicture picture{side, side, {}};
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) picture.pixels.push_back(colours[(y >= side / 2) * 2 + (x >= side / 2)]);
  }
  return picture;
}

bool WriteBmp(const TestPicture& picture, const std::filesystem::path& path, bool withAlpha) {
  const Surface surface = MakeSurface(picture, withAlpha);
  if (!surface) return false;
  if (!withAlpha) {
    // 24 bits per pixel: the common form of a picture without alpha.
    const Surface rgb(SDL_ConvertSurfaceFormat(surface.get(), SDL_PIXELFORMAT_BGR24, 0));
    return rgb && SDL_SaveBMP(rgb.get(), path.c_str()) == 0;
  }
  return SDL_SaveBMP(surface.get(), path.c_str()) == 0;
}

bool WritePng(const TestPicture& picture, const std::filesystem::path& path) {
  const Surface surface = MakeSurface(picture, true);
  return surface && IMG_SavePNG(surface.get(), path.c_str()) == 0;
}

bool WriteJpeg(const TestPicture& picture, const std::filesystem::path& path) {
  const Surface surface = MakeSurface(picture, false);
  return surface && IMG_SaveJPG(surface.get(), path.c_str(), 100) == 0;
}

std::vector<std::uint8_t> EncodeGif(const TestPicture& picture) {
  // A 256-entry palette; a transparent colour takes the entry after the picture's colours.
  std::map<std::uint32_t, unsigned> indexOf;
  bool transparent = false;
  for (const Rgba& c : picture.pixels) {
    if (c.a == 0) transparent = true;
    else indexOf.emplace((c.r << 16) | (c.g << 8) | c.b, 0);
  }
  if (indexOf.size() + transparent > 256) return {};
  std::vector<std::uint8_t> palette(256 * 3, 0);
  unsigned next = 0;
  for (auto& [key, index] : indexOf) {
    index = next++;
    palette[index * 3] = static_cast<std::uint8_t>(key >> 16);
    palette[index * 3 + 1] = static_cast<std::uint8_t>(key >> 8);
    palette[index * 3 + 2] = static_cast<std::uint8_t>(key);
  }
  const unsigned transparentIndex = next;
  std::vector<unsigned> indices;
  for (const Rgba& c : picture.pixels) {
    indices.push_back(c.a == 0 ? transparentIndex : indexOf.at((c.r << 16) | (c.g << 8) | c.b));
  }

  const auto w = static_cast<std::uint8_t>(picture.width & 0xFF), wHigh = static_cast<std::uint8_t>(picture.width >> 8);
  const auto h = static_cast<std::uint8_t>(picture.height & 0xFF), hHigh = static_cast<std::uint8_t>(picture.height >> 8);
  std::vector<std::uint8_t> out = {'G', 'I', 'F', '8', '9', 'a', w, wHigh, h, hHigh, 0xF7, 0, 0};
  out.insert(out.end(), palette.begin(), palette.end());
  if (transparent) out.insert(out.end(), {0x21, 0xF9, 4, 1, 0, 0, static_cast<std::uint8_t>(transparentIndex), 0});
  out.insert(out.end(), {0x2C, 0, 0, 0, 0, w, wHigh, h, hHigh, 0, 8});

  // Codes stay 9 bits wide: a clear code comes back long before the table reaches 512.
  constexpr unsigned kClear = 256, kEnd = 257;
  CodeWriter codes;
  codes.Put(kClear);
  int sinceClear = 0;
  for (unsigned index : indices) {
    if (sinceClear == 200) {
      codes.Put(kClear);
      sinceClear = 0;
    }
    codes.Put(index);
    ++sinceClear;
  }
  codes.Put(kEnd);
  const std::vector<std::uint8_t> data = codes.Finish();
  for (std::size_t at = 0; at < data.size(); at += 255) {
    const std::size_t length = std::min<std::size_t>(255, data.size() - at);
    out.push_back(static_cast<std::uint8_t>(length));
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
               data.begin() + static_cast<std::ptrdiff_t>(at + length));
  }
  out.push_back(0);
  out.push_back(0x3B);
  return out;
}

bool WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::uint32_t PngCrc(const std::uint8_t* bytes, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return crc ^ 0xFFFFFFFFu;
}

std::vector<std::uint8_t> ExpectedBgra(const Rgba& colour) {
  return {static_cast<std::uint8_t>(colour.b * colour.a / 255), static_cast<std::uint8_t>(colour.g * colour.a / 255),
          static_cast<std::uint8_t>(colour.r * colour.a / 255), colour.a};
}

}  // namespace kavelo::image::test
