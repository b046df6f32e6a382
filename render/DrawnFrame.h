#pragma once
// What the renderer composed into its frame on the last tick, so that the next tick
// composes again only the parts that would come out differently: the cells whose tile or
// trail counter changed, the stretch of the time bar that turned white or back, and the
// cells the selection mark left and entered. Whatever can change many cells or moves
// them (another frame, board or host buffer, another origin or cell size, any picture)
// is held in the layout; when the layout differs, the whole frame is composed again.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

class CKaveloInternal;

namespace kavelo::render {

// A picture as drawn: its buffer and its size. Every load makes the renderer forget its
// frame, so a new picture whose buffer lands where an old one was cannot pass for it.
struct PictureKey {
  const std::uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  bool operator==(const PictureKey&) const = default;
};

struct FrameLayout {
  const std::uint8_t* frame = nullptr;
  int frameWidth = 0;
  int frameHeight = 0;
  std::uint64_t frameWrites = 0;  // changes when anyone but the renderer wrote into the frame
  const char* host = nullptr;
  const CKaveloInternal* board = nullptr;
  int boardWidth = 0;
  int boardHeight = 0;
  const std::uint8_t* tiles = nullptr;
  const std::int8_t* trail = nullptr;
  int zeroX = 0;
  int zeroY = 0;
  int cellWidth = 0;
  int cellHeight = 0;
  PictureKey timeBar;
  int timeBarX = 0;
  int timeBarY = 0;
  int timeBarWidth = 0;
  int timeBarHeight = 0;
  PictureKey mark;
  std::array<PictureKey, 256> tilePictures{};   // shown for each tile kind; none for 0
  std::array<PictureKey, 128> trailPictures{};  // shown for each trail counter; none for 0
  bool operator==(const FrameLayout&) const = default;
};

// The most cells a board has: both of its sides are bytes.
inline constexpr std::size_t kMaxCells = 255 * 255;

struct DrawnFrame {
  bool valid = false;  // false until a whole frame is composed, and after anything is forgotten
  bool hidden = false; // the last frame left the board out, and `layout` and `whiteLeft` tell it
  FrameLayout layout;
  std::int64_t whiteLeft = 0;  // where the time bar's white part began; it runs to the bar's right edge
  bool marked = false;         // the selection mark was drawn, in cell (markX, markY)
  int markX = 0;
  int markY = 0;
  // The board's grids as drawn, kMaxCells each; without them every frame is composed whole.
  std::unique_ptr<std::uint8_t[]> tiles;
  std::unique_ptr<std::int8_t[]> trail;
};

}  // namespace kavelo::render
