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

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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
  // buffer stays the host's and must outlive its use. nParam1 and nParam2 may declare
  // the buffer's width and height in pixels: when both are positive, a frame wider or
  // taller than that (a set-up's screen larger than the buffer) is not delivered at all.
  // Always returns 0.
  int AllocGdiData(char* pGdiData, int nParam1, int nParam2, int nParam3);
  // A configuration command, "param,N;..." with N a KAVELO_PARAM_ number
  // (KaveloProtocol.h). Returns N on success, 0 for a completed set-up, -1 on refusal.
  int SetGameParam(const std::wstring& command);
  // An event, "type,N;..." with N a KAVELO_EVENT_ or KAVELO_QUERY_ number.
  // Returns the event's result, -1 on refusal.
  int InputEvent(const std::wstring& event);

  // Extensions to the text protocol.

  // A pair of tiles that can be linked now, found without changing the game. False
  // when no pair can be linked (the host may then shuffle) or no board is dealt.
  bool FindHint(KaveloMove& move) const;

  // Looks for a sequence of links that clears the board, within about `budgetMs`
  // milliseconds, changing nothing. On KaveloSolved `moves` holds the pairs in the order
  // they are to be clicked (empty for a clear board); otherwise it is emptied.
  KaveloSolveResult Solve(std::vector<KaveloMove>& moves, int budgetMs) const;
  // Like FindHint, but the pair is the first move of a clearing found within a short
  // time when there is one, so following these hints never leads into a dead end.
  bool FindSafeHint(KaveloMove& move) const;

  // Off by default. When on, every shuffle places the tiles as its mode does and then
  // deals the same kinds over those cells so that the board can be cleared: it plays a
  // game on the cells in which any two tiles match, each removal drawing its pair among
  // 64 random candidates before it settles for touching tiles, and gives the pairs of
  // that game the kinds. Four such games are tried at most (in practice the first one
  // succeeds; a 255 x 255 board takes about 130 ms). When clearing cannot be (a kind with
  // an odd count) or all four got stuck, the board at least holds a pair that links, if
  // the mode's result had none; failing that it stays as the mode left it. Selection,
  // trail and counters fare as in any shuffle. Kept across set-ups.
  void SetSolvableShuffles(bool on);

  // Deal numbers. SetDeal sets the number that later set-ups deal by, as the command
  // KAVELO_PARAM_DEAL does; nullopt goes back to dealing by the clock. DealNumber answers
  // the number of the board in play (a loaded game's own), nullopt when it was dealt by
  // the clock or no game is set up.
  void SetDeal(std::optional<std::uint64_t> number);
  std::optional<std::uint64_t> DealNumber() const;

  // The rule variant, a KAVELO_GRAVITY_ number. SetGravity sets the variant later set-ups
  // deal by, as the command KAVELO_PARAM_RULES does; false, changing nothing, for a number
  // that names no variant. Gravity answers the variant of the board in play (a loaded
  // game's own), or with no game set up the one the next set-up takes.
  bool SetGravity(int gravity);
  int Gravity() const;

  // Undo puts the last removed pair back and takes back its score step, its pair and
  // its two tiles; misses and time stay, the selection is cleared, that pair's trail goes
  // out. Redo removes the pair again. A new removal forgets what could be redone; a
  // shuffle or a new set-up forgets both. False when there is nothing to undo (or redo)
  // or no game runs. No sound plays.
  bool Undo();
  bool Redo();

  // Pause stops the game's time: while paused, time events are refused with -1 whoever
  // sends them, and clicks, shuffles, hints, safe hints, the solver, undo and redo are
  // refused (-1, false or KaveloUnknown). Ticks still deliver frames, which show the time
  // bar but no tiles, trail or selection; the trail does not count down, so resuming
  // continues exactly where the game stopped. The queries still answer. Pausing a paused
  // game, resuming a running one, or pausing one that is over (or not set up) changes
  // nothing. A new set-up or a loaded game starts unpaused.
  void Pause(bool on);
  bool Paused() const;

  // Writes the whole game in play into `bytes`: the board size and tiles, the kinds and
  // copies dealt, the selection, pairs, misses, score, score step, elapsed time and limit,
  // the trail, the undo and redo history, the clearable-shuffle setting and whether the
  // game is over, as a compact versioned byte string (a magic, a version, the length and
  // a checksum, little-endian). Whether the game is paused is not kept. False, with
  // `bytes` emptied, when no game is set up.
  bool SaveGame(std::vector<unsigned char>& bytes) const;
  // Restores a saved game onto this one, whose set-up must have used the same board size
  // and number of kinds; the pictures, sounds and clock stay this set-up's own. 0 when
  // loaded: the game then runs, unpaused, unless it was over. -1 refused, with the game
  // in play left exactly as it was: no game set up, a wrong magic, version, length or
  // checksum, a truncated string, another size or kind count, tiles that dealing and play
  // could not leave, counters that disagree with the tiles, a selection off a tile, trail
  // values out of range or a history that does not replay.
  int LoadGame(const unsigned char* bytes, std::size_t size);

  // The band of rows in which the frame last delivered may differ from the one delivered
  // before it: returns how many rows from `first` on (every row after a set-up, a new
  // buffer, a pause or new pictures), 0 with `first` 0 when none may. A host that keeps
  // a converted or uploaded copy of the frame need only take these rows again.
  int ChangedRows(int& first) const;

  // Called after each tick's frame has been delivered into the buffer. The default body
  // returns 0.
  virtual int OnGdiDataChange() = 0;
  // Called with 1 when the board was cleared, 0 when the time ran out.
  virtual void OnGameOver(int nResult) = 0;

 private:
  // The events, one handler each: InputEvent reads the text and calls them, the clock calls
  // the tick and time handlers directly. Each answers -1 while no board or renderer exists.
  int HandleTick();
  int HandleAddSeconds(int seconds);
  int HandleClick(int x, int y);
  int HandleShuffle(int mode);
  int HandleQuery(int type);  // 0 for a type that is no query
  friend class KaveloClockEvents;

  std::unique_ptr<CKaveloInternal> m_pInternal;       // the board; null until set-up
  std::unique_ptr<KaveloFigure> m_pFigure;            // the renderer; null until set-up
  std::unique_ptr<CKaveloSoundPlayer> m_pSoundPlayer; // null until the sound command
  bool m_bRunning = false;                            // a game is in play
  bool m_bSolvableShuffles = false;                   // shuffles deal clearable boards
  bool m_bPaused = false;                             // time and moves stand still
  std::optional<std::uint64_t> m_dealNumber;          // what later set-ups deal by; none: the clock
  int m_gravity = KAVELO_GRAVITY_NONE;                // the rule variant of later set-ups
  char* m_pGdiData = nullptr;                         // the host's buffer, not owned
  int m_nGdiParam1 = 0;
  int m_nGdiParam2 = 0;
  int m_nGdiParam3 = 0;
};
