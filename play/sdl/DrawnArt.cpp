#include "DrawnArt.h"

#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "PlayHost.h"
#include "play/artwork/ArtworkSet.h"

namespace kavelo::play {
namespace {

constexpr int kSmallestCell = 24, kLargestCell = 128;
// The share of the screen's usable area the window may take, leaving room for its frame.
constexpr int kScreenPercent = 92;

}  // namespace

int CellToFit(const PlaySettings& settings, int width, int height) {
  const int byWidth = width * kScreenPercent / 100 / (settings.columns + 2);
  // The rows above the board take two thirds of a cell.
  const int byHeight = height * kScreenPercent / 100 * 3 / (3 * (settings.rows + 2) + 2);
  return std::clamp(std::min(byWidth, byHeight), kSmallestCell, kLargestCell);
}

int CellForDisplay(const PlaySettings& settings) {
  SDL_Rect usable{};
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.w <= 0 || usable.h <= 0) return kArtCell;
  return CellToFit(settings, usable.w, usable.h);
}

DrawnArt::~DrawnArt() {
  std::error_code ec;
  if (!m_folder.empty()) std::filesystem::remove_all(m_folder, ec);
}

void DrawnArt::Prepare(PlaySettings& settings, std::string& warning) {
  if ((settings.cell <= 0 || settings.cell == kArtCell) && !settings.contrast) return;
  const int cell = settings.cell > 0 ? settings.cell : kArtCell;
  std::error_code ec;
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path(ec) / ("kavelo-play-art-" + std::to_string(getpid()));
  std::string error = ec ? "no temporary folder: " + ec.message() : "";
  const auto style = settings.contrast ? artwork::ArtStyle::kContrast : artwork::ArtStyle::kStandard;
  if (error.empty() && artwork::WriteArtworkPictures(folder, cell, style, error)) {
    m_folder = folder.string();
    settings.pictureDir = m_folder;
    settings.cell = cell;
    return;
  }
  std::filesystem::remove_all(folder, ec);
  warning = "the pictures could not be drawn (" + error + "): the installed art instead";
  settings.cell = 0;
}

}  // namespace kavelo::play
