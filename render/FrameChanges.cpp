// What changed since the last frame, and composing only that again.
#include <algorithm>

#include "logic/KaveloInternal.h"
#include "render/KaveloFigure.h"

using kavelo::render::FrameLayout;
using kavelo::render::PictureKey;

namespace {

PictureKey KeyOf(const KaveloPicture* picture) {
  return picture != nullptr && picture->Present() ? PictureKey{picture->pixels.get(), picture->width, picture->height}
                                                  : PictureKey{};
}

}  // namespace

FrameLayout KaveloFigure::Layout(const char* hostBuffer) const {
  const CKaveloInternal& board = *m_pBoard;
  FrameLayout layout;
  layout.frame = m_frame.Pixels();
  layout.frameWidth = m_frame.Width();
  layout.frameHeight = m_frame.Height();
  layout.frameWrites = m_frame.Writes();
  layout.host = hostBuffer;
  layout.board = m_pBoard;
  layout.boardWidth = board.Width();
  layout.boardHeight = board.Height();
  layout.tiles = board.Tiles();
  layout.trail = board.Trail();
  layout.zeroX = m_zeroX;
  layout.zeroY = m_zeroY;
  layout.cellWidth = m_pictureWidth;
  layout.cellHeight = m_pictureHeight;
  layout.timeBar = KeyOf(&m_timeBarPixels);
  layout.timeBarX = m_timeBarX;
  layout.timeBarY = m_timeBarY;
  layout.timeBarWidth = m_timeBarWidth;
  layout.timeBarHeight = m_timeBarHeight;
  layout.mark = KeyOf(&m_choosePixels);
  // The pictures the cells can show, as TileAt and TrailFrameAt choose them.
  for (std::size_t kind = 1; kind < layout.tilePictures.size() && kind <= m_iconPixels.size(); ++kind) {
    layout.tilePictures[kind] = KeyOf(&m_iconPixels[kind - 1]);
  }
  for (int trail = 1; trail < static_cast<int>(layout.trailPictures.size()) && trail <= m_animationFrames; ++trail) {
    const std::size_t frame = static_cast<std::size_t>(m_animationFrames - trail);
    if (frame < m_animationPixels.size()) layout.trailPictures[trail] = KeyOf(&m_animationPixels[frame]);
  }
  return layout;
}

bool KaveloFigure::ComposeChanges() {
  const CKaveloInternal& board = *m_pBoard;
  const std::uint8_t* tiles = board.Tiles();
  const std::int8_t* trail = board.Trail();
  std::uint8_t* drawnTiles = m_drawn.tiles.get();
  std::int8_t* drawnTrail = m_drawn.trail.get();
  // Half a board is not one to follow cell by cell.
  if ((tiles == nullptr) != (trail == nullptr)) return false;
  const std::size_t cells = tiles != nullptr ? static_cast<std::size_t>(board.Width()) * board.Height() : 0;
  std::size_t changed = 0;
  for (std::size_t cell = 0; cell < cells; ++cell) {
    changed += (tiles[cell] != drawnTiles[cell]) | (trail[cell] != drawnTrail[cell]);
  }
  // A changed cell costs about what it costs in the whole frame, plus its own clipping.
  if (changed > cells / 2) return false;

  const std::int64_t white = WhiteLeft();
  if (white != m_drawn.whiteLeft) {
    const std::int64_t from = std::min(white, m_drawn.whiteLeft);
    Recompose(from, m_timeBarY, std::max(white, m_drawn.whiteLeft) - from, m_timeBarHeight);
    m_drawn.whiteLeft = white;
  }

  const bool marked = board.SelX() != -1 && board.SelY() != -1 && m_choosePixels.Present();
  if (marked != m_drawn.marked || (marked && (board.SelX() != m_drawn.markX || board.SelY() != m_drawn.markY))) {
    if (m_drawn.marked) RecomposeCell(m_drawn.markX, m_drawn.markY);
    m_drawn.marked = marked;
    m_drawn.markX = board.SelX();
    m_drawn.markY = board.SelY();
    if (marked) RecomposeCell(m_drawn.markX, m_drawn.markY);
  }

  for (std::size_t cell = 0; changed != 0 && cell < cells; ++cell) {
    if (tiles[cell] == drawnTiles[cell] && trail[cell] == drawnTrail[cell]) continue;
    drawnTiles[cell] = tiles[cell];
    drawnTrail[cell] = trail[cell];
    RecomposeCell(static_cast<int>(cell % board.Width()), static_cast<int>(cell / board.Width()));
    --changed;
  }
  return true;
}

void KaveloFigure::RecomposeCell(int x, int y) {
  Recompose(m_zeroX + static_cast<std::int64_t>(x) * m_pictureWidth,
            m_zeroY + static_cast<std::int64_t>(y) * m_pictureHeight, m_pictureWidth, m_pictureHeight);
}

void KaveloFigure::Recompose(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height) {
  // Cut to the frame first, so that the cells visited are only those that show.
  const std::int64_t left = std::max<std::int64_t>(x, 0);
  const std::int64_t top = std::max<std::int64_t>(y, 0);
  const std::int64_t right = std::min<std::int64_t>(x + width, m_frame.Width());
  const std::int64_t bottom = std::min<std::int64_t>(y + height, m_frame.Height());
  if (left >= right || top >= bottom) return;
  // The same steps in the same order as the whole frame, each kept within the rectangle.
  m_frame.Limit(left, top, right - left, bottom - top);
  m_frame.ClearRect(left, top, right - left, bottom - top);
  DrawTimeBar();
  DrawCells(left, top, right - left, bottom - top);
  DrawSelectionMark();
  m_frame.Unlimit();
}
