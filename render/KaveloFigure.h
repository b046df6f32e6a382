#pragma once
// The renderer: composes one frame of the game from the board on every tick and delivers
// it into the host's buffer. It reads the board through a const pointer, so it cannot
// change it, and owns the picture loader, every picture and the frame surface. The frame
// is kept between ticks and only what changed since the last one is composed again; the
// host's buffer receives the whole frame every time.
//
// Frames are 32 bits per pixel (blue, green, red, alpha); SetScreen refuses any other
// depth. The clear source is implicit: clearing sets every byte of the frame to 0 and the
// elapsed share of the time bar sets every bit, with no second surface behind either.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/FrameSurface.h"
#include "render/DrawnFrame.h"
#include "render/KaveloPicture.h"
#include "render/PictureBudget.h"

class CKaveloInternal;
class COlePicture;

class KaveloFigure {
 public:
  // The only depth a frame and a picture may have.
  static constexpr int kFrameBits = 32;

  explicit KaveloFigure(const CKaveloInternal* board);
  virtual ~KaveloFigure();
  KaveloFigure(const KaveloFigure&) = delete;
  KaveloFigure& operator=(const KaveloFigure&) = delete;

  // Makes the frame surface and the loader. False, with nothing changed, for a width,
  // height or depth that is not positive or a depth other than kFrameBits; false, with
  // the renderer not ready, for a frame larger than the surface layer or
  // kFrameBudgetBytes allows.
  bool SetScreen(int width, int height, int zeroX, int zeroY, int bits);
  // Composes one frame and delivers it into hostBuffer (m_screenHeight rows of
  // m_screenWidth x 4 bytes). False, with nothing drawn or delivered, before SetScreen,
  // without a board or without a buffer. Allocates nothing.
  bool Draw(char* hostBuffer);
  // The rows [top, bottom) in which the frame the last Draw delivered may differ from the
  // one delivered before it: every row when it was composed whole (after a set-up, a new
  // buffer, a pause, any new picture), none before the first.
  kavelo::platform::FrameSurface::RowBand ChangedRows() const { return m_changedRows; }
  // The next Draw composes the whole frame afresh, whatever it composed before.
  void ForgetDrawn() { m_drawn.valid = m_drawn.hidden = false; }
  // While hidden, frames show the time bar only: no tiles, trail or selection. A change
  // of the flag recomposes the whole frame.
  void SetBoardHidden(bool hidden) { m_boardHidden = hidden; }

  // Numbered series: member n is path + n (decimal, no leading zeros) + type, n from 1.
  // Stop at the first member that cannot be loaded and return false; the members loaded
  // before it stay.
  bool LoadIcons(std::uint16_t count, const char* path, const char* type);
  bool LoadAnimation(std::uint16_t count, const char* path, const char* type);
  // One picture each; a failed load leaves the previous picture and sizes in place.
  bool LoadChoose(const char* path);
  bool LoadTimeBar(const char* path, int x, int y);

  // Fields, in the renderer's order. Public for the plug-in object, which answers the
  // host's cell-size queries with m_pictureWidth and m_pictureHeight.
  const CKaveloInternal* m_pBoard = nullptr;    // drawn, not owned
  std::unique_ptr<COlePicture> m_pOlePicture;   // the loader every load uses
  std::vector<KaveloPicture> m_iconPixels;      // entry k - 1 shows tile kind k; empty entries are skipped
  std::vector<KaveloPicture> m_animationPixels; // trail frames, the first shown at entry 0
  KaveloPicture m_timeBarPixels;
  KaveloPicture m_choosePixels;                 // the selection mark
  std::uint16_t m_animationFrames = 0;
  bool m_ready = false;                         // SetScreen succeeded
  bool m_boardHidden = false;                   // frames leave out the board (a paused game)
  kavelo::platform::FrameSurface m_frame;       // the frame surface, m_screenWidth x m_screenHeight
  int m_zeroX = 0;                              // frame x of board column 0's left edge
  int m_zeroY = 0;                              // frame y of board row 0's top edge
  int m_pictureWidth = 0;                       // the cell size: the size of the last tile,
  int m_pictureHeight = 0;                      // trail frame or selection mark loaded
  int m_screenWidth = 0;
  int m_screenHeight = 0;
  int m_screenBits = 0;
  int m_timeBarWidth = 0;
  int m_timeBarHeight = 0;
  int m_timeBarX = 0;                           // frame position of the time bar's top-left
  int m_timeBarY = 0;
  // The most bytes the pictures above may take together: kPictureBudgetBytes unless a
  // test sets a smaller one. A load that would go past it fails before decoding.
  std::uint64_t m_pictureBudget = kavelo::render::kPictureBudgetBytes;

 private:
  // Copies the picture with its top-left corner at (x, y), no more of it than width x
  // height, cut at the frame's edges.
  void DrawPicture(std::int64_t x, std::int64_t y, int width, int height, const KaveloPicture& picture);
  void ClearFrame();
  void DrawTimeBar();
  // The cells that reach into the rectangle at (x, y) of width x height.
  void DrawCells(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height);
  void DrawSelectionMark();
  // Where the time bar's white part begins; it ends at the bar's right edge.
  std::int64_t WhiteLeft() const;

  // The whole frame, then all of it remembered as drawn.
  void ComposeAll();
  // What the frame shows now besides the cells, the white part and the selection.
  kavelo::render::FrameLayout Layout(const char* hostBuffer) const;
  // Composes again the parts whose content changed since the last frame, within a frame
  // of the same layout. False, with nothing drawn, when so many cells changed that
  // composing the whole frame costs less.
  bool ComposeChanges();
  // Composes the rectangle again as the whole frame's composition would leave it.
  void Recompose(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height);
  void RecomposeCell(int x, int y);
  // The picture that the tile and the trail of a cell show; null for none.
  const KaveloPicture* TileAt(std::size_t cell) const;
  const KaveloPicture* TrailFrameAt(std::size_t cell) const;
  // Whether the cell's pictures will cover it whole.
  bool CellCovered(std::size_t cell) const;
  // Frees every picture, the surface and the loader; the renderer is not ready after it.
  void ReleaseAll();

  // Loads one file into `picture`; false when there is no name, the load fails or the
  // picture is not 32 bits deep, and then `picture` is untouched. The loader holds
  // nothing afterwards.
  bool LoadPicture(const std::optional<std::wstring>& fileName, KaveloPicture& picture, std::uint64_t byteLimit);
  // The bytes of every picture held, and what the budget leaves for `replaced` (whose
  // own bytes come free when it is replaced).
  std::uint64_t HeldPictureBytes() const;
  std::uint64_t BudgetLeftFor(const KaveloPicture& replaced) const;
  // Whether the members a series load would decode fit in `byteLimit`, by the sizes
  // their files declare; reading stops at the first member that cannot be read.
  bool SeriesFits(std::uint16_t count, const char* path, const char* type, std::uint64_t byteLimit) const;
  bool LoadSeries(std::vector<KaveloPicture>& series, std::uint16_t count, const char* path, const char* type);
  // Loads a picture of its own into `slot`, keyed opaque but for pure black; false, with
  // `slot` untouched, when the load fails.
  bool LoadSingle(const char* path, KaveloPicture& slot);

  kavelo::platform::FrameSurface::RowBand m_changedRows;
  kavelo::render::DrawnFrame m_drawn;  // what the last frame was composed from
};
