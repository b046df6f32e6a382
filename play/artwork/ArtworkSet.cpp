#include "play/artwork/ArtworkSet.h"

#include "play/artwork/ArtworkPictures.h"
#include "play/artwork/OverlayArt.h"
#include "play/artwork/Palette.h"
#include "play/artwork/PngWriter.h"
#include "play/artwork/SoundEffects.h"
#include "play/artwork/SoundSynth.h"
#include "play/artwork/TileArt.h"
#include "play/artwork/WavWriter.h"

namespace kavelo::artwork {

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
  // The installed pictures, compressed.
  if (!WriteArtworkPictures(folder, kCellSide, ArtStyle::kStandard, error, WritePng)) return false;
  for (SoundEffect effect : kSoundEffects) {
    if (!WriteWav(SynthesizeSound(effect), kSampleRate, folder / SoundFileName(effect), error)) return false;
  }
  return true;
}

}  // namespace kavelo::artwork
