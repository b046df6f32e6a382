// The events: "type" 0 tick, 1 click, 2 shuffle, 64 time, and the queries.
#include <PlgKavelo/KaveloFather.h>

#include <cstdint>

#include "KeyValueText.h"
#include "logic/KaveloInternal.h"
#include "render/KaveloFigure.h"
#include "sound/KaveloSoundPlayer.h"

using kavelo::host::kEventBufferSize;
using kavelo::host::KeyValueText;

namespace {

enum Event : int {
  Tick = 0,
  Click = 1,
  ShuffleBoard = 2,
  PairsRemoved = 4,
  Misses = 8,
  CellWidth = 16,
  CellHeight = 32,
  Time = 64,
  Score = 128,
  TilesLeft = 256,
  SecondsLeft = 512,
};

}  // namespace

int CKaveloFather::InputEvent(const std::wstring& event) {
  if (!m_pInternal || !m_pFigure) return -1;
  const KeyValueText text(event);
  CKaveloInternal& board = *m_pInternal;
  switch (text.Integer("type", kEventBufferSize)) {
    case Tick:
      // The frame shows the trail as it stood before this tick.
      m_pFigure->Draw(m_pGdiData);
      board.AdvanceTrail();
      OnGdiDataChange();
      return 0;
    case Click: {
      // A set-up that failed at the board during a game leaves the flag set and a board
      // that is not ready: such a click is refused rather than answered with no result.
      if (!m_bRunning || !board.Ready()) return -1;
      int result = -1;
      board.ClickCell(text.Integer("x", kEventBufferSize), text.Integer("y", kEventBufferSize), result);
      if (result == Win) {
        OnGameOver(1);
        m_bRunning = false;
      }
      if (m_pSoundPlayer) m_pSoundPlayer->Play(result);
      return result;
    }
    case ShuffleBoard:
      board.Shuffle(static_cast<std::uint8_t>(text.Integer("shuffle", kEventBufferSize)));
      return 0;
    case PairsRemoved:
      return board.PairsRemoved();
    case Misses:
      return board.Misses();
    case CellWidth:
      return m_pFigure->m_pictureWidth;
    case CellHeight:
      return m_pFigure->m_pictureHeight;
    case Time: {
      if (!m_bRunning) return -1;
      const bool timeUp = board.AddSeconds(static_cast<std::uint32_t>(text.Integer("time", kEventBufferSize)));
      const std::uint32_t elapsed = board.Elapsed();
      if (timeUp) {
        OnGameOver(0);  // may start a new game: the old board is not touched after it
        m_bRunning = false;
      }
      return static_cast<int>(elapsed);
    }
    case Score:
      return board.Score();
    case TilesLeft:
      return board.TilesLeft();
    case SecondsLeft:
      return static_cast<int>(board.SecondsLeft());
    default:
      return 0;
  }
}
