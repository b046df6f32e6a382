#include "play/artwork/IconArt.h"

#include <system_error>

#include "play/artwork/Palette.h"
#include "play/artwork/PngWriter.h"
#include "play/artwork/TileArt.h"

namespace kavelo::artwork {

const std::vector<int>& IconSides() {
  static const std::vector<int> sides = {32, 48, 64, 128, 256};
  return sides;
}

Raster DrawIcon(int side) { return DrawTile({Symbol::kStar, 1}, side); }  // an indigo star

bool WriteIcons(const std::filesystem::path& folder, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    error = "cannot create " + folder.string() + ": " + ec.message();
    return false;
  }
  for (int side : IconSides()) {
    const auto file = folder / ("kavelo-play-" + std::to_string(side) + ".png");
    if (!WritePngWithAlpha(DrawIcon(side), file, error)) return false;
  }
  return true;
}

}  // namespace kavelo::artwork
