#include "OptionCheck.h"

#include <system_error>

#include "WholeFiles.h"

namespace kavelo::play {

int CountTilePictures(const std::string& artDir) {
  const std::filesystem::path folder = Utf8Path(artDir);
  int count = 0;
  std::error_code ec;
  // The plug-in reads at most 255 kinds.
  while (count < 255 && std::filesystem::is_regular_file(folder / ("tile" + std::to_string(count + 1) + ".png"), ec)) {
    ++count;
  }
  return count;
}

std::string RefusedOptions(const PlaySettings& s) {
  const int pictures = CountTilePictures(s.artDir);
  if (pictures == 0) return "no tile pictures (tile1.png, ...) in the artwork folder " + s.artDir;
  if (s.kinds > pictures) {
    return "--kinds " + std::to_string(s.kinds) + ": the artwork has " + std::to_string(pictures) + " tile pictures";
  }
  const long tiles = static_cast<long>(s.kinds) * s.copies, cells = static_cast<long>(s.columns) * s.rows;
  if (tiles > cells) {
    return "--kinds " + std::to_string(s.kinds) + " --copies " + std::to_string(s.copies) + ": " +
           std::to_string(tiles) + " tiles do not fit " + std::to_string(cells) + " cells (" +
           std::to_string(s.columns) + " x " + std::to_string(s.rows) + ")";
  }
  return "";
}

}  // namespace kavelo::play
