// Pausing, saving and loading. A saved game is the envelope around one byte of the host's
// own (whether the game is over) and the board's state.
#include <PlgKavelo/KaveloFather.h>

#include <new>

#include "SaveEnvelope.h"
#include "logic/KaveloInternal.h"
#include "logic/SaveBytes.h"
#include "render/KaveloFigure.h"

namespace {

constexpr std::uint8_t kGameOver = 1;

}  // namespace

void CKaveloFather::Pause(bool on) {
  // A game that is over or not set up has no time to stop.
  if (!on || (m_bRunning && m_pInternal && m_pFigure)) m_bPaused = on;
}

bool CKaveloFather::Paused() const { return m_bPaused; }

bool CKaveloFather::SaveGame(std::vector<unsigned char>& bytes) const {
  bytes.clear();
  if (!m_pInternal || !m_pFigure) return false;
  try {
    kavelo::logic::ByteWriter body;
    body.U8(m_bRunning ? 0 : kGameOver);
    if (!m_pInternal->SaveState(body)) return false;
    bytes = kavelo::host::SealSave(body.Written(), CKaveloInternal::kSaveFormat);
    return true;
  } catch (...) {
    bytes.clear();
    return false;
  }
}

int CKaveloFather::LoadGame(const unsigned char* bytes, std::size_t size) {
  if (!m_pInternal || !m_pInternal->Ready() || !m_pFigure) return -1;
  const unsigned char* body = nullptr;
  std::size_t bodySize = 0;
  std::uint32_t format = 0;
  if (!kavelo::host::OpenSave(bytes, size, CKaveloInternal::kSaveFormat, body, bodySize, format)) return -1;
  try {
    // Read and checked on a board of its own; the game in play changes only once all is well.
    kavelo::logic::ByteReader in(body, bodySize);
    const std::uint8_t flags = in.U8();
    std::unique_ptr<CKaveloInternal> board(new (std::nothrow) CKaveloInternal());
    if (in.Failed() || (flags & ~kGameOver) != 0 || !board || !board->LoadState(in, format)) return -1;
    // Play ends a game exactly when its board is cleared or its time runs out: a save that
    // says otherwise would load a game that play could never end, or one over in mid-play.
    const bool over = (flags & kGameOver) != 0;
    const bool ended = board->TilesLeft() == 0 || board->Elapsed() >= board->TimeLimit();
    if ((over && !ended) || (!over && board->TilesLeft() == 0)) return -1;
    const CKaveloInternal& current = *m_pInternal;
    if (board->Width() != current.Width() || board->Height() != current.Height() ||
        board->KindCount() != current.KindCount()) {
      return -1;
    }
    m_pFigure->m_pBoard = board.get();
    m_pInternal = std::move(board);
    m_bSolvableShuffles = m_pInternal->SolvableShuffles();
    m_bRunning = !over;
    m_bPaused = false;
    return 0;
  } catch (...) {
    return -1;
  }
}
