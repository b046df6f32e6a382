#include "TestArt.h"

#include <cstdlib>
#include <memory>

#include "tests/support/ScratchFolder.h"
#include "tests/support/TestFiles.h"

namespace kavelo::test {
namespace {

void Draw(const ScratchFolder& folder, const std::string& name, const TestPicture& picture) {
  const Bytes png = Encode(picture, Format::kPng);
  if (png.empty() || !WriteFile(folder.Path(name), png)) std::abort();  // no test can run without it
}

}  // namespace

const std::string& TestArtDir() {
  static const auto folder = [] {
    auto made = std::make_unique<ScratchFolder>("kavelo-test-art");
    for (int i = 1; i <= kTestArtTiles; ++i) {
      const auto c = static_cast<std::uint8_t>(i * 6);
      Draw(*made, "tile" + std::to_string(i) + ".png", Solid(48, 48, {c, static_cast<std::uint8_t>(255 - c), 128}));
    }
    for (int i = 1; i <= 10; ++i) {
      Draw(*made, "trail" + std::to_string(i) + ".png", Solid(48, 48, {255, static_cast<std::uint8_t>(i * 20), 0}));
    }
    Draw(*made, "choose.png", Gradient(48, 48));
    Draw(*made, "timebar.png", Gradient(768, 16));
    return made;
  }();
  static const std::string dir = folder->Dir().string();
  return dir;
}

}  // namespace kavelo::test
