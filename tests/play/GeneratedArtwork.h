#pragma once
// The generator program run once per test process into a folder of its own, and the
// pictures it wrote read back with SDL_image.

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kavelo::artwork::test {

using Rgb = std::array<std::uint8_t, 3>;

struct Picture {
  int width = 0, height = 0;
  std::vector<Rgb> pixels;  // top row first
  const Rgb& At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

inline bool IsPureBlack(const Rgb& p) { return p[0] == 0 && p[1] == 0 && p[2] == 0; }

// Runs the generator program with `arguments` appended; its exit status.
inline int RunGenerator(const std::string& arguments) {
  const int status = std::system(("'" KAVELO_ARTWORK_PROGRAM "' " + arguments + " 2>/dev/null").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The folder the generator wrote, two levels below a fresh one so that it must create
// missing parents; empty when the program failed. Removed at exit.
inline const std::filesystem::path& GeneratedFolder() {
  static const struct Folder {
    std::filesystem::path root = std::filesystem::temp_directory_path() / ("kavelo-art-test-" + std::to_string(getpid()));
    std::filesystem::path target = RunGenerator("'" + (root / "nested" / "art").string() + "'") == 0 ? root / "nested" / "art" : "";
    ~Folder() { std::error_code ignored; std::filesystem::remove_all(root, ignored); }
  } folder;
  return folder.target;
}

// Decodes a picture of the generated folder; 0 by 0 when it does not load.
inline Picture LoadPicture(const std::string& name) {
  const std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> loaded(
      IMG_Load((GeneratedFolder() / name).string().c_str()), &SDL_FreeSurface);
  const std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> rgb(
      loaded ? SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGB24, 0) : nullptr, &SDL_FreeSurface);
  if (!rgb) return {};
  Picture picture{rgb->w, rgb->h, {}};
  for (int y = 0; y < rgb->h; ++y) {
    for (int x = 0; x < rgb->w; ++x) {
      const auto* p = static_cast<const std::uint8_t*>(rgb->pixels) + y * rgb->pitch + x * 3;
      picture.pixels.push_back({p[0], p[1], p[2]});
    }
  }
  return picture;
}

class ArtworkFiles : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(GeneratedFolder().empty()) << "the generator failed"; }
};

}  // namespace kavelo::artwork::test
