#include "play/artwork/ArtworkPictures.h"

#include <system_error>

#include "play/artwork/OverlayArt.h"
#include "play/artwork/StoredPng.h"
#include "play/artwork/TileArt.h"

namespace kavelo::artwork {

std::string SeriesName(const char* stem, int n) { return stem + std::to_string(n) + ".png"; }

ArtworkPictures DrawArtworkPictures(int side, ArtStyle style) {
  ArtworkPictures pictures{{}, {}, DrawSelectionMark(side), DrawTimeBar(side)};
  const Raster face = DrawTileFace(side, style);
  for (int n = 1; n <= kTileCount; ++n) pictures.tiles.push_back(DrawTileOn(face, DesignOfTile(n), style));
  for (int n = 1; n <= kTrailFrameCount; ++n) pictures.trail.push_back(DrawTrailFrame(n, side));
  return pictures;
}

bool WriteArtworkPictures(const std::filesystem::path& folder, int side, ArtStyle style, std::string& error,
                          PictureWriter write) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) {
    error = "cannot create " + folder.string() + ": " + ec.message();
    return false;
  }
  const ArtworkPictures pictures = DrawArtworkPictures(side, style);
  for (std::size_t i = 0; i < pictures.tiles.size(); ++i) {
    if (!write(pictures.tiles[i], folder / SeriesName("tile", static_cast<int>(i) + 1), error)) return false;
  }
  for (std::size_t i = 0; i < pictures.trail.size(); ++i) {
    if (!write(pictures.trail[i], folder / SeriesName("trail", static_cast<int>(i) + 1), error)) return false;
  }
  return write(pictures.selection, folder / "choose.png", error) &&
         write(pictures.timeBar, folder / "timebar.png", error);
}

}  // namespace kavelo::artwork
