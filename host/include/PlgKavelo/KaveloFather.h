#pragma once
// PlgKavelo: a tile-matching puzzle game as a plug-in without a window.
//
// A host derives from CKaveloFather, supplies the two callbacks, hands over a pixel
// buffer with AllocGdiData, configures the game with SetGameParam and drives it with
// InputEvent. Commands and events are texts of pairs "key,value;". The plug-in's clock
// draws a frame into the host's buffer ten times a second and calls OnGdiDataChange.
// Everything runs on the host's UI thread, the one that sent the set-up command; that
// thread's event loop serves the clock with the Kavelo* clock functions of Kavelo.h,
// which also holds the interface for hosts in C and other languages.

#include <PlgKavelo/Kavelo.h>

#include <memory>
#include <string>

class CKaveloInternal;

class KaveloFigure;
class CKaveloSoundPlayer;

class PLGKAVELO_API CKaveloFather {
 public:
  // The newest object is the current instance: the clock sends its events to it.
  CKaveloFather();
  // Destroys the board, the renderer and the sound player, and stops the clock.
  virtual ~CKaveloFather();
  // The parts are owned: a copy would free them twice.
  CKaveloFather(const CKaveloFather&) = delete;
  CKaveloFather& operator=(const CKaveloFather&) = delete;

  // Hands over the buffer that frames are delivered into: "screenHeight" rows of
  // "screenWidth" x 4 bytes, top row first, each pixel blue, green, red, alpha. The
  // buffer stays the host's and must outlive its use. The integers are kept, not read.
  // Always returns 0.
  int AllocGdiData(char* pGdiData, int nParam1, int nParam2, int nParam3);
  // A configuration command, "param,N;..." (1 set-up, 2 selection picture, 4 time bar,
  // 8 sounds, 16 score step). Returns N on success, 0 for a completed set-up, -1 on refusal.
  int SetGameParam(const std::wstring& command);
  // An event, "type,N;..." (0 tick, 1 click, 2 shuffle, 64 time, queries 4 to 512).
  // Returns the event's result, -1 on refusal.
  int InputEvent(const std::wstring& event);

  // Extensions to the text protocol.

  // A pair of tiles that can be linked now, found without changing the game. False
  // when no pair can be linked (the host may then shuffle) or no board is dealt.
  bool FindHint(KaveloMove& move) const;

  // Called after each tick's frame has been delivered into the buffer. The default body
  // returns 0.
  virtual int OnGdiDataChange() = 0;
  // Called with 1 when the board was cleared, 0 when the time ran out.
  virtual void OnGameOver(int nResult) = 0;

 private:
  std::unique_ptr<CKaveloInternal> m_pInternal;       // the board; null until set-up
  std::unique_ptr<KaveloFigure> m_pFigure;            // the renderer; null until set-up
  std::unique_ptr<CKaveloSoundPlayer> m_pSoundPlayer; // null until the sound command
  bool m_bRunning = false;                            // a game is in play
  char* m_pGdiData = nullptr;                         // the host's buffer, not owned
  int m_nGdiParam1 = 0;
  int m_nGdiParam2 = 0;
  int m_nGdiParam3 = 0;
};
