#pragma once
// The generator program run once per test process into a folder of its own, and the
// pictures it wrote read back with SDL_image.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kavelo::artwork::test {

// The folder the generator wrote (empty path when the program failed); removed at exit.
const std::filesystem::path& GeneratedFolder();
// Runs the generator program with `arguments` appended; its exit status.
int RunGenerator(const std::string& arguments);

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::array<std::uint8_t, 3>> pixels;  // red, green, blue; top row first

  const std::array<std::uint8_t, 3>& At(int x, int y) const {
    return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  }
};

bool IsPureBlack(const std::array<std::uint8_t, 3>& p);
// Decodes a picture file with SDL_image; nothing when it does not load.
std::optional<Picture> LoadPicture(const std::filesystem::path& file);

}  // namespace kavelo::artwork::test
