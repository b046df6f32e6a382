#pragma once
// The cell the keyboard plays: the arrows move it over the whole grid (the border ring
// too, where shuffles may put tiles), a mouse click brings it to the clicked cell, and it
// shows from the first arrow on.

#include "PlayHost.h"

namespace kavelo::play {

class KeyCursor {
 public:
  KeyCursor(int gridColumns, int gridRows) : m_columns(gridColumns), m_rows(gridRows) {}

  void Move(int dx, int dy);
  void MoveTo(Cell cell);  // cells off the grid leave it where it is
  Cell At() const { return m_at; }
  bool Shown() const { return m_shown; }

 private:
  int m_columns, m_rows;
  Cell m_at{1, 1};  // the first interior cell
  bool m_shown = false;
};

}  // namespace kavelo::play
