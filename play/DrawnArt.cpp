#include "DrawnArt.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <system_error>

#include "PlayHost.h"
#include "WholeFiles.h"
#include "play/artwork/ArtworkPictures.h"

namespace kavelo::play {
namespace {

constexpr int kSmallestCell = 24, kLargestCell = 128;

}  // namespace

int CellToFit(const PlaySettings& settings, int width, int height) {
  const int byWidth = width / (settings.columns + 2);
  // The rows above the board take two thirds of a cell.
  const int byHeight = height * 3 / (3 * (settings.rows + 2) + 2);
  return std::clamp(std::min(byWidth, byHeight), kSmallestCell, kLargestCell);
}

DrawnArt::~DrawnArt() {
  std::error_code ec;
  if (!m_folder.empty()) std::filesystem::remove_all(Utf8Path(m_folder), ec);
}

void DrawnArt::Prepare(PlaySettings& settings, std::string& warning) {
  if ((settings.cell <= 0 || settings.cell == kArtCell) && !settings.contrast) return;
  const int cell = settings.cell > 0 ? settings.cell : kArtCell;
  std::error_code ec;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path(ec) / ("kavelo-play-art-" + std::to_string(std::random_device()()));
  std::string error = ec ? "no temporary folder: " + ec.message() : "";
  const auto style = settings.contrast ? artwork::ArtStyle::kContrast : artwork::ArtStyle::kStandard;
  if (error.empty() && artwork::WriteArtworkPictures(folder, cell, style, error)) {
    m_folder = Utf8Text(folder);
    settings.pictureDir = m_folder;
    settings.cell = cell;
    return;
  }
  std::filesystem::remove_all(folder, ec);
  warning = "the pictures could not be drawn (" + error + "): the installed art instead";
  settings.cell = 0;
}

}  // namespace kavelo::play
