#pragma once
// The kavelo-play host: a plug-in object with its frame buffer, the commands that set a
// game up, and the board geometry a front end needs to turn mouse positions into cells.

#include <PlgKavelo/KaveloFather.h>

#include <optional>
#include <string>
#include <vector>

#include "FrameMarks.h"
#include "PlaySettings.h"

namespace kavelo::play {

// The installed artwork's cell, in pixels; the plug-in reports the real one after set-up.
inline constexpr int kArtCell = 48;
inline constexpr int kTimeBarTop = 8;    // frame rows above the board hold the time bar, at kArtCell
inline constexpr int kBoardTop = 32;

struct Cell {
  int x, y;
};

// The cell under a frame pixel, by floor division from the board origin; a pixel left
// of or above the board gives a negative column or row, which the plug-in treats as a
// click outside the grid.
Cell MouseToCell(int px, int py, int zeroX, int zeroY, int cellWidth, int cellHeight);

struct GameStatus {
  int score, pairs, misses, secondsLeft, tilesLeft;
};

enum class Outcome { Playing, Won, Lost };

class PlayHost : public CKaveloFather {
 public:
  explicit PlayHost(const PlaySettings& settings);

  // Sets a new game up with every command and spreads its tiles, by deal `number` (by
  // the clock without one); false when the plug-in refused the set-up (missing artwork,
  // a board too small).
  bool NewGame(std::optional<std::uint64_t> number);
  int Click(Cell cell);
  void Shuffle(int mode);
  // Off sends the sound command with no files, on the artwork's again; a new game keeps it.
  void SetSounds(bool on);
  bool SoundsOn() const { return m_soundsOn; }
  // The answer to a query, a KAVELO_QUERY_ number.
  int Query(int query);
  GameStatus Status();
  // The cell under a frame pixel.
  Cell CellAt(int px, int py) const;
  // The cell's size, as the plug-in answered after the set-up.
  int CellWidth() const { return m_cellWidth; }
  int CellHeight() const { return m_cellHeight; }
  // The frame pixels of a cell.
  Box CellBox(Cell cell) const;

  int OnGdiDataChange() override;
  void OnGameOver(int nResult) override;

  const std::vector<char>& Frame() const { return m_frame; }
  int FrameWidth() const { return m_frameWidth; }
  int FrameHeight() const { return m_frameHeight; }
  int GridColumns() const { return m_settings.columns + 2; }
  int GridRows() const { return m_settings.rows + 2; }
  int BoardLeft() const { return 0; }
  int BoardTop() const { return m_boardTop; }
  Outcome GameOutcome() const { return m_outcome; }
  // True once after each delivered frame.
  bool TakeFrame();
  // The rows the frames delivered since the last call may have changed.
  RowBand TakeChangedRows();
  int Frames() const { return m_frames; }

 private:
  std::wstring Command(const std::string& text) const;
  void SendSounds();
  void AskCellSize();

  PlaySettings m_settings;
  int m_cell;      // the pictures' cell: drawn for settings.cell, or the installed art's
  int m_boardTop;  // the rows above the board grow with the cell
  int m_frameWidth, m_frameHeight;
  std::vector<char> m_frame;
  bool m_newFrame = false;
  RowBand m_changed;
  int m_cellWidth = kArtCell, m_cellHeight = kArtCell;
  int m_frames = 0;
  Outcome m_outcome = Outcome::Playing;
  bool m_soundsOn = true;
};

}  // namespace kavelo::play
