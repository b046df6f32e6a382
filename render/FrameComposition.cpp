#include <algorithm>
#include <new>

#include "OrvinaTools.h"
#include "image/OlePicture.h"
#include "logic/KaveloInternal.h"
#include "render/KaveloFigure.h"

KaveloFigure::KaveloFigure(const CKaveloInternal* board) : m_pBoard(board) {}

KaveloFigure::~KaveloFigure() { ReleaseAll(); }

bool KaveloFigure::SetScreen(int width, int height, int zeroX, int zeroY, int bits) {
  if (width <= 0 || height <= 0 || bits <= 0 || bits != kFrameBits) return false;
  m_ready = false;
  m_pOlePicture = std::make_unique<COlePicture>();
  m_screenWidth = width;
  m_screenHeight = height;
  m_zeroX = zeroX;
  m_zeroY = zeroY;
  m_screenBits = bits;
  const std::uint64_t frameBytes = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) *
                                   kavelo::platform::FrameSurface::kBytesPerPixel;
  m_ready = frameBytes <= kavelo::render::kFrameBudgetBytes && m_frame.Create(width, height);
  if (!m_ready) m_frame.Release();
  ForgetDrawn();
  // Without room to remember the grids, every frame is composed whole.
  using kavelo::render::kMaxCells;
  if (m_drawn.tiles == nullptr) m_drawn.tiles.reset(new (std::nothrow) std::uint8_t[kMaxCells]);
  if (m_drawn.trail == nullptr) m_drawn.trail.reset(new (std::nothrow) std::int8_t[kMaxCells]);
  return m_ready;
}

bool KaveloFigure::Draw(char* hostBuffer) {
  m_changedRows = {};
  if (!m_ready || m_pBoard == nullptr || hostBuffer == nullptr) return false;
  bool whole = true;
  const kavelo::render::FrameLayout layout = Layout(hostBuffer);
  if (m_boardHidden) {
    // Frames without the board differ only in the time bar, and only when it moved.
    whole = !m_drawn.hidden || !(layout == m_drawn.layout);
    const std::int64_t white = WhiteLeft();
    if (whole) {
      m_frame.Clear();
      DrawTimeBar();
    } else if (white != m_drawn.whiteLeft) {
      // The white part may begin left of the bar, when more time was used than allowed.
      const std::int64_t left = std::min({static_cast<std::int64_t>(m_timeBarX), white, m_drawn.whiteLeft});
      m_frame.ClearRect(left, m_timeBarY, static_cast<std::int64_t>(m_timeBarX) + m_timeBarWidth - left, m_timeBarHeight);
      DrawTimeBar();
    }
    m_drawn.whiteLeft = white;
    m_drawn.layout = layout;
    m_drawn.valid = false;  // the board comes back in a whole frame
  } else {
    whole = !m_drawn.valid || !(layout == m_drawn.layout) || !ComposeChanges();
    if (whole) {
      ComposeAll();
      m_drawn.layout = layout;
      m_drawn.valid = m_drawn.tiles != nullptr && m_drawn.trail != nullptr;
    }
  }
  m_drawn.hidden = m_boardHidden;
  // Only the renderer's own writes since the layout was taken.
  m_drawn.layout.frameWrites = m_frame.Writes();
  const auto written = m_frame.TakeWrittenRows();
  m_changedRows = whole ? kavelo::platform::FrameSurface::RowBand{0, m_frame.Height()} : written;
  const OrvinaBitmap frame{m_frame.Pixels(), m_frame.Width(), m_frame.Height(), m_frame.StrideBytes(), kFrameBits};
  GetImageData(&frame, m_screenWidth, m_screenHeight, m_screenBits, hostBuffer);
  return true;
}

void KaveloFigure::DrawPicture(std::int64_t x, std::int64_t y, int width, int height, const KaveloPicture& picture) {
  if (picture.Present()) m_frame.PlacePicture(x, y, width, height, picture.View());
}

void KaveloFigure::DrawTimeBar() {
  DrawPicture(m_timeBarX, m_timeBarY, m_timeBarWidth, m_timeBarHeight, m_timeBarPixels);
  const std::int64_t white = WhiteLeft();
  m_frame.FillOnes(white, m_timeBarY, static_cast<std::int64_t>(m_timeBarX) + m_timeBarWidth - white, m_timeBarHeight);
}

std::int64_t KaveloFigure::WhiteLeft() const {
  const std::int64_t limit = m_pBoard->TimeLimit();
  if (limit == 0) return static_cast<std::int64_t>(m_timeBarX) + m_timeBarWidth;
  // The picture stays over the remaining share at the left, white covers the elapsed
  // share at the right. 64 bits hold the product for any limit, elapsed time and width.
  const std::int64_t elapsed = m_pBoard->Elapsed();
  return m_timeBarX + (limit - elapsed) * m_timeBarWidth / limit;
}

const KaveloPicture* KaveloFigure::TileAt(std::size_t cell) const {
  const std::size_t kind = m_pBoard->Tiles()[cell];
  return kind != 0 && kind <= m_iconPixels.size() && m_iconPixels[kind - 1].Present() ? &m_iconPixels[kind - 1]
                                                                                       : nullptr;
}

const KaveloPicture* KaveloFigure::TrailFrameAt(std::size_t cell) const {
  // A trail counter v shows frame m_animationFrames - v: the first frame when the trail
  // is fresh, the last on its final tick.
  const std::int8_t* trails = m_pBoard->Trail();
  const int trail = trails != nullptr ? trails[cell] : 0;
  if (trail < 1 || trail > m_animationFrames) return nullptr;
  const std::size_t frame = static_cast<std::size_t>(m_animationFrames - trail);
  return frame < m_animationPixels.size() && m_animationPixels[frame].Present() ? &m_animationPixels[frame] : nullptr;
}

bool KaveloFigure::CellCovered(std::size_t cell) const {
  const auto covers = [this](const KaveloPicture* picture) {
    return picture != nullptr && picture->width >= m_pictureWidth && picture->height >= m_pictureHeight;
  };
  return covers(TrailFrameAt(cell)) || covers(TileAt(cell));
}

void KaveloFigure::ClearFrame() {
  const CKaveloInternal& board = *m_pBoard;
  if (board.Tiles() == nullptr || m_pictureWidth <= 0 || m_pictureHeight <= 0) {
    m_frame.Clear();
    return;
  }
  // Every byte becomes 0 except in the cells that the tiles and trail frames will cover
  // whole: those are painted over anyway, and leaving them out halves the bytes written.
  // The board's bands of rows, and the rows above and below them, each go once.
  const std::int64_t frameWidth = m_frame.Width();
  const std::int64_t boardBottom = m_zeroY + static_cast<std::int64_t>(board.Height()) * m_pictureHeight;
  m_frame.ClearRect(0, 0, frameWidth, m_zeroY);
  m_frame.ClearRect(0, boardBottom, frameWidth, m_frame.Height() - boardBottom);
  for (int y = 0; y < board.Height(); ++y) {
    const std::int64_t top = m_zeroY + static_cast<std::int64_t>(y) * m_pictureHeight;
    std::int64_t clearFrom = 0;
    for (int x = 0; x < board.Width(); ++x) {
      if (!CellCovered(static_cast<std::size_t>(y) * board.Width() + x)) continue;
      const std::int64_t left = m_zeroX + static_cast<std::int64_t>(x) * m_pictureWidth;
      m_frame.ClearRect(clearFrom, top, left - clearFrom, m_pictureHeight);
      clearFrom = left + m_pictureWidth;
    }
    m_frame.ClearRect(clearFrom, top, frameWidth - clearFrom, m_pictureHeight);
  }
}

namespace {

// The cells, of `count` in a line `size` pixels each, that the pixels from `from` to
// `from` + `length` reach: [first, end).
struct CellSpan {
  int first = 0;
  int end = 0;
};
CellSpan CellsOver(std::int64_t from, std::int64_t length, int size, int count) {
  if (length <= 0) return {};
  const auto cellOf = [size](std::int64_t pixel) { return pixel >= 0 ? pixel / size : (pixel + 1) / size - 1; };
  const std::int64_t first = std::clamp<std::int64_t>(cellOf(from), 0, count);
  const std::int64_t end = std::clamp<std::int64_t>(cellOf(from + length - 1) + 1, 0, count);
  return {static_cast<int>(first), static_cast<int>(end)};
}

}  // namespace

void KaveloFigure::DrawCells(std::int64_t x0, std::int64_t y0, std::int64_t width, std::int64_t height) {
  const CKaveloInternal& board = *m_pBoard;
  if (board.Tiles() == nullptr || m_pictureWidth <= 0 || m_pictureHeight <= 0) return;
  const CellSpan columns = CellsOver(x0 - m_zeroX, width, m_pictureWidth, board.Width());
  const CellSpan rows = CellsOver(y0 - m_zeroY, height, m_pictureHeight, board.Height());
  // Every picture is cut to its own cell, so cells never overlap and the order in which
  // they are visited does not change the frame; rows first keeps the writes in order.
  for (int y = rows.first; y < rows.end; ++y) {
    const std::int64_t top = m_zeroY + static_cast<std::int64_t>(y) * m_pictureHeight;
    for (int x = columns.first; x < columns.end; ++x) {
      const std::int64_t left = m_zeroX + static_cast<std::int64_t>(x) * m_pictureWidth;
      const std::size_t cell = static_cast<std::size_t>(y) * board.Width() + x;
      // The trail frame goes over the tile.
      if (const KaveloPicture* tile = TileAt(cell)) DrawPicture(left, top, m_pictureWidth, m_pictureHeight, *tile);
      if (const KaveloPicture* frame = TrailFrameAt(cell)) {
        DrawPicture(left, top, m_pictureWidth, m_pictureHeight, *frame);
      }
    }
  }
}

void KaveloFigure::DrawSelectionMark() {
  const int sx = m_pBoard->SelX();
  const int sy = m_pBoard->SelY();
  const KaveloPicture& mark = m_choosePixels;
  if (sx == -1 || sy == -1 || !mark.Present()) return;
  // Drawn upright from the mark's top-left, no more of it than one cell; pure black is
  // transparent.
  const std::int64_t left = m_zeroX + static_cast<std::int64_t>(sx) * m_pictureWidth;
  const std::int64_t top = m_zeroY + static_cast<std::int64_t>(sy) * m_pictureHeight;
  const int width = std::min(m_pictureWidth, mark.width);
  const int height = std::min(m_pictureHeight, mark.height);
  if (!m_frame.Reaches(left, top, width, height)) return;
  const std::size_t stride = static_cast<std::size_t>(mark.width) * 4;
  for (int py = 0; py < height; ++py) {
    const std::uint8_t* pixel = mark.pixels.get() + static_cast<std::size_t>(mark.height - 1 - py) * stride;
    for (int px = 0; px < width; ++px, pixel += 4) {
      if (!IsPureBlack(pixel)) m_frame.SetPixel(left + px, top + py, pixel);
    }
  }
}

void KaveloFigure::ComposeAll() {
  ClearFrame();
  DrawTimeBar();
  DrawCells(0, 0, m_frame.Width(), m_frame.Height());
  DrawSelectionMark();
  const CKaveloInternal& board = *m_pBoard;
  if (board.Tiles() != nullptr && board.Trail() != nullptr && m_drawn.tiles != nullptr && m_drawn.trail != nullptr) {
    const std::size_t cells = static_cast<std::size_t>(board.Width()) * board.Height();
    std::copy_n(board.Tiles(), cells, m_drawn.tiles.get());
    std::copy_n(board.Trail(), cells, m_drawn.trail.get());
  }
  m_drawn.whiteLeft = WhiteLeft();
  m_drawn.marked = board.SelX() != -1 && board.SelY() != -1 && m_choosePixels.Present();
  m_drawn.markX = board.SelX();
  m_drawn.markY = board.SelY();
}

void KaveloFigure::ReleaseAll() {
  m_ready = false;
  ForgetDrawn();
  m_iconPixels.clear();
  m_animationPixels.clear();
  m_timeBarPixels = KaveloPicture{};
  m_choosePixels = KaveloPicture{};
  m_frame.Release();
  m_pOlePicture.reset();
}
