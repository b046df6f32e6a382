#include "play/artwork/ArtworkSet.h"

#include <system_error>

#include "play/artwork/OverlayArt.h"
#include "play/artwork/Palette.h"
#include "play/artwork/PngWriter.h"
#include "play/artwork/SoundEffects.h"
#include "play/artwork/SoundSynth.h"
#include "play/artwork/TileArt.h"
#include "play/artwork/WavWriter.h"

namespace kavelo::artwork {
namespace {

// Member n of a numbered series: the stem, n in decimal without leading zeros, the ending.
std::string SeriesName(const char* stem, int n) { return stem + std::to_string(n) + ".png"; }

}  // namespace

std::vector<std::string> ArtworkFileNames() {
  std::vector<std::string> names;
  for (int n = 1; n <= kTileCount; ++n) names.push_back(SeriesName("tile", n));
  for (int n = 1; n <= kTrailFrameCount; ++n) names.push_back(SeriesName("trail", n));
  names.push_back("choose.png");
  names.push_back("timebar.png");
  for (SoundEffect effect : kSoundEffects) names.emplace_back(SoundFileName(effect));
  return names;
}

ArtworkPictures DrawArtworkPictures(int side, ArtStyle style) {
  ArtworkPictures pictures{{}, {}, DrawSelectionMark(side), DrawTimeBar(side)};
  const Raster face = DrawTileFace(side, style);
  for (int n = 1; n <= kTileCount; ++n) pictures.tiles.push_back(DrawTileOn(face, DesignOfTile(n), style));
  for (int n = 1; n <= kTrailFrameCount; ++n) pictures.trail.push_back(DrawTrailFrame(n, side));
  return pictures;
}

bool WriteArtworkPictures(const std::filesystem::path& folder, int side, ArtStyle style, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    error = "cannot create " + folder.string() + ": " + ec.message();
    return false;
  }
  const ArtworkPictures pictures = DrawArtworkPictures(side, style);
  for (std::size_t i = 0; i < pictures.tiles.size(); ++i) {
    if (!WritePng(pictures.tiles[i], folder / SeriesName("tile", static_cast<int>(i) + 1), error)) return false;
  }
  for (std::size_t i = 0; i < pictures.trail.size(); ++i) {
    if (!WritePng(pictures.trail[i], folder / SeriesName("trail", static_cast<int>(i) + 1), error)) return false;
  }
  return WritePng(pictures.selection, folder / "choose.png", error) &&
         WritePng(pictures.timeBar, folder / "timebar.png", error);
}

bool WriteArtwork(const std::filesystem::path& folder, std::string& error) {
  if (!WriteArtworkPictures(folder, kCellSide, ArtStyle::kStandard, error)) return false;
  for (SoundEffect effect : kSoundEffects) {
    if (!WriteWav(SynthesizeSound(effect), kSampleRate, folder / SoundFileName(effect), error)) return false;
  }
  return true;
}

}  // namespace kavelo::artwork
