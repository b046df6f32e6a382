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

bool WriteArtwork(const std::filesystem::path& folder, std::string& error) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    error = "cannot create " + folder.string() + ": " + ec.message();
    return false;
  }
  for (int n = 1; n <= kTileCount; ++n) {
    if (!WritePng(DrawTile(DesignOfTile(n)), folder / SeriesName("tile", n), error)) return false;
  }
  for (int n = 1; n <= kTrailFrameCount; ++n) {
    if (!WritePng(DrawTrailFrame(n), folder / SeriesName("trail", n), error)) return false;
  }
  if (!WritePng(DrawSelectionMark(), folder / "choose.png", error)) return false;
  if (!WritePng(DrawTimeBar(), folder / "timebar.png", error)) return false;
  for (SoundEffect effect : kSoundEffects) {
    if (!WriteWav(SynthesizeSound(effect), kSampleRate, folder / SoundFileName(effect), error)) return false;
  }
  return true;
}

}  // namespace kavelo::artwork
