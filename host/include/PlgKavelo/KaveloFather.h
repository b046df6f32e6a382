#pragma once
// PlgKavelo: a tile-matching puzzle game as a plug-in without a window.
//
// A host derives from CKaveloFather, supplies the two callbacks, hands over a pixel
// buffer with AllocGdiData, configures the game with SetGameParam and drives it with
// InputEvent. Commands and events are texts of pairs "key,value;". The plug-in's clock
// draws a frame into the host's buffer ten times a second and calls OnGdiDataChange.
// Everything runs on the host's UI thread, the one that sent the set-up command; that
// thread's event loop serves the clock with the three Kavelo* functions below.

#include <memory>
#include <string>

#if defined(_WIN32) && defined(PLGKAVELO_BUILDING)
#define PLGKAVELO_API __declspec(dllexport)
#elif defined(_WIN32)
#define PLGKAVELO_API __declspec(dllimport)
#else
#define PLGKAVELO_API __attribute__((visibility("default")))
#endif

class CKaveloInternal;
// Two cells, columns and rows counted from 0 at the top left, the border ring included.
struct KaveloMove {
  int x1, y1, x2, y2;
};

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

// The clock's timers live in a queue of the thread that started them. The host's event
// loop serves that queue, as a message loop would:
//   poll KaveloTimerFd() for readability, or sleep KaveloTimeoutMs(), then call
//   KaveloDispatchTimers().
// On Windows the clock is a system timer of the thread (SetTimer without a window), and
// the host's ordinary message loop (GetMessage, DispatchMessage) serves it. There the four
// functions below exist so that one host source builds on both systems, and do nothing:
// KaveloTimerFd and KaveloTimeoutMs answer -1, KaveloDispatchTimers 0, and
// KaveloSetTimerClock is ignored (system timers follow the system's clock only).
// A descriptor that polls readable when a timer may be due.
PLGKAVELO_API int KaveloTimerFd();
// Milliseconds until the next timer is due, 0 when one is due, -1 when none runs.
PLGKAVELO_API int KaveloTimeoutMs();
// Runs the due timer callbacks on this thread; returns how many ran.
PLGKAVELO_API int KaveloDispatchTimers();
// Extension: replaces this thread's timer clock (milliseconds, monotonic) with the host's
// own, so that a host may run games faster than real time or step them in tests. Null
// restores the system's monotonic clock. Due times already set stay as they are.
PLGKAVELO_API void KaveloSetTimerClock(unsigned long long (*nowMs)());
