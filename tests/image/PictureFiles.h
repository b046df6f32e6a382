#pragma once
// Picture files written by the tests themselves: a scratch folder per test, pictures given
// pixel by pixel, and writers for each format (SDL for BMP, SDL_image for PNG and JPEG,
// a small encoder of our own for GIF).

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kavelo::image::test {

// A folder of its own for one test, removed with its contents at the end.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::filesystem::path Path(const std::string& name) const { return m_root / name; }
  std::wstring WidePath(const std::string& name) const { return Path(name).wstring(); }

 private:
  std::filesystem::path m_root;
};

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 255;
  bool operator==(const Rgba&) const = default;
};

// Pixels given top row first.
struct TestPicture {
  int width = 0;
  int height = 0;
  std::vector<Rgba> pixels;
  Rgba At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Red grows to the right, green downwards: every pixel differs, 256 colours at 16 x 16.
TestPicture Gradient(int width, int height);
// Four solid quadrants (red, green / blue, white), large enough that lossy coding keeps them.
TestPicture Quadrants(int side);

// Each writer returns false when the file could not be written.
bool WriteBmp(const TestPicture& picture, const std::filesystem::path& path, bool withAlpha);
bool WritePng(const TestPicture& picture, const std::filesystem::path& path);
bool WriteJpeg(const TestPicture& picture, const std::filesystem::path& path);
// At most 256 colours; pixels with alpha 0 become the transparent colour. Empty when the
// picture has too many colours.
std::vector<std::uint8_t> EncodeGif(const TestPicture& picture);

bool WriteBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path);

// The checksum that closes every PNG chunk.
std::uint32_t PngCrc(const std::uint8_t* bytes, std::size_t size);

// The 4 bytes a loaded pixel should hold: colours composited over black, own alpha.
std::vector<std::uint8_t> ExpectedBgra(const Rgba& colour);

}  // namespace kavelo::image::test
