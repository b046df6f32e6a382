#include "tests/play/GeneratedArtwork.h"

#include <SDL.h>
#include <SDL_image.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

namespace kavelo::artwork::test {
namespace {

struct Folder {
  std::filesystem::path root;    // removed at exit
  std::filesystem::path target;  // what the generator wrote, empty when it failed
  ~Folder() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }
};

}  // namespace

int RunGenerator(const std::string& arguments) {
  const std::string command = std::string("'") + KAVELO_ARTWORK_PROGRAM + "' " + arguments + " 2>/dev/null";
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const std::filesystem::path& GeneratedFolder() {
  static const Folder folder = [] {
    const auto root = std::filesystem::temp_directory_path() / ("kavelo-artwork-test-" + std::to_string(getpid()));
    std::filesystem::remove_all(root);
    // A folder two levels down: the generator must create missing parents.
    const auto target = root / "nested" / "art";
    return Folder{root, RunGenerator("'" + target.string() + "'") == 0 ? target : std::filesystem::path()};
  }();
  return folder.target;
}

bool IsPureBlack(const std::array<std::uint8_t, 3>& p) { return p[0] == 0 && p[1] == 0 && p[2] == 0; }

std::optional<Picture> LoadPicture(const std::filesystem::path& file) {
  const std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> loaded(IMG_Load(file.string().c_str()),
                                                                       &SDL_FreeSurface);
  if (!loaded) return std::nullopt;
  const std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> rgb(
      SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_RGB24, 0), &SDL_FreeSurface);
  if (!rgb) return std::nullopt;
  Picture picture{rgb->w, rgb->h, {}};
  const auto* bytes = static_cast<const std::uint8_t*>(rgb->pixels);
  for (int y = 0; y < rgb->h; ++y) {
    for (int x = 0; x < rgb->w; ++x) {
      const std::uint8_t* p = bytes + y * rgb->pitch + x * 3;
      picture.pixels.push_back({p[0], p[1], p[2]});
    }
  }
  return picture;
}

}  // namespace kavelo::artwork::test
