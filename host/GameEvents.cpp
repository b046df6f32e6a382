// The events: InputEvent reads "type" and the event's keys and calls the event's handler.
#include <PlgKavelo/KaveloFather.h>

#include <cstdint>

#include "KeyValueText.h"
#include "logic/KaveloInternal.h"
#include "render/KaveloFigure.h"
#include "sound/KaveloSoundPlayer.h"

using kavelo::host::kEventBufferSize;
using kavelo::host::KeyValueText;

int CKaveloFather::InputEvent(const std::wstring& event) {
  const KeyValueText text(event);
  const int type = text.Integer("type", kEventBufferSize);
  switch (type) {
    case KAVELO_EVENT_TICK:
      return HandleTick();
    case KAVELO_EVENT_CLICK:
      return HandleClick(text.Integer("x", kEventBufferSize), text.Integer("y", kEventBufferSize));
    case KAVELO_EVENT_SHUFFLE:
      return HandleShuffle(text.Integer("shuffle", kEventBufferSize));
    case KAVELO_EVENT_TIME:
      return HandleAddSeconds(text.Integer("time", kEventBufferSize));
    default:
      return HandleQuery(type);
  }
}

int CKaveloFather::HandleTick() {
  if (!m_pInternal || !m_pFigure) return -1;
  // The frame shows the trail as it stood before this tick. A paused game shows no board
  // and its trail waits.
  m_pFigure->SetBoardHidden(m_bPaused);
  // A host that declared its buffer's width and height never gets a frame larger than
  // that: the frame's size comes from the set-up, and the two may disagree.
  const bool declared = m_nGdiParam1 > 0 && m_nGdiParam2 > 0;
  const bool fits = !declared || (m_pFigure->m_screenWidth <= m_nGdiParam1 && m_pFigure->m_screenHeight <= m_nGdiParam2);
  m_pFigure->Draw(fits ? m_pGdiData : nullptr);
  if (!m_bPaused) m_pInternal->AdvanceTrail();
  OnGdiDataChange();
  return 0;
}

int CKaveloFather::ChangedRows(int& first) const {
  const auto band = m_pFigure ? m_pFigure->ChangedRows() : kavelo::platform::FrameSurface::RowBand{};
  first = band.top < band.bottom ? band.top : 0;
  return band.bottom - band.top;
}

int CKaveloFather::HandleClick(int x, int y) {
  if (!m_pInternal || !m_pFigure) return -1;
  // A set-up that failed at the board during a game leaves the flag set and a board that
  // is not ready: such a click is refused rather than answered with no result.
  if (!m_bRunning || m_bPaused || !m_pInternal->Ready()) return -1;
  int result = -1;
  m_pInternal->ClickCell(x, y, result);
  if (result == KAVELO_CLICK_WIN) {
    OnGameOver(1);
    m_bRunning = false;
  }
  // Each click result plays the sound of the same number.
  if (m_pSoundPlayer) m_pSoundPlayer->Play(result);
  return result;
}

int CKaveloFather::HandleShuffle(int mode) {
  if (!m_pInternal || !m_pFigure || m_bPaused) return -1;
  m_pInternal->Shuffle(static_cast<std::uint8_t>(mode));
  return 0;
}

int CKaveloFather::HandleAddSeconds(int seconds) {
  if (!m_pInternal || !m_pFigure) return -1;
  // The clock's seconds come here too, so a paused game's time stands still.
  if (!m_bRunning || m_bPaused) return -1;
  CKaveloInternal& board = *m_pInternal;
  const bool timeUp = board.AddSeconds(static_cast<std::uint32_t>(seconds));
  const std::uint32_t elapsed = board.Elapsed();
  if (timeUp) {
    OnGameOver(0);  // may start a new game: the old board is not touched after it
    m_bRunning = false;
  }
  return static_cast<int>(elapsed);
}

int CKaveloFather::HandleQuery(int type) {
  if (!m_pInternal || !m_pFigure) return -1;
  const CKaveloInternal& board = *m_pInternal;
  switch (type) {
    case KAVELO_QUERY_PAIRS:
      return board.PairsRemoved();
    case KAVELO_QUERY_MISSES:
      return board.Misses();
    case KAVELO_QUERY_CELL_WIDTH:
      return m_pFigure->m_pictureWidth;
    case KAVELO_QUERY_CELL_HEIGHT:
      return m_pFigure->m_pictureHeight;
    case KAVELO_QUERY_SCORE:
      return board.Score();
    case KAVELO_QUERY_TILES_LEFT:
      return board.TilesLeft();
    case KAVELO_QUERY_SECONDS_LEFT:
      return static_cast<int>(board.SecondsLeft());
    case KAVELO_QUERY_LAST_MISS:
      return board.LastMiss();
    default:
      return 0;
  }
}
