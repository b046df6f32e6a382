#pragma once
// kavelo-play's game, whatever shows it: what the keys, buttons and clicks do, pausing,
// the keyboard cursor, hint marks, the banners, the help rule, the words of the status
// and the title, and the game kept across visits. A front end turns its events into
// these calls, serves the plug-in's clock, and shows the frame this composes.

#include <optional>
#include <string>
#include <vector>

#include "DailyDeal.h"
#include "FrameMarks.h"
#include "GameKeeper.h"
#include "KeyCursor.h"
#include "KeyMap.h"
#include "PlayHost.h"
#include "PlaySources.h"

namespace kavelo::play {

class PlaySession {
 public:
  PlaySession(PlayHost& host, const PlaySettings& settings, GameKeeper& keeper,
              PlaySources sources = SystemSources());

  // Deals the deal asked for (--deal, --daily) or a fresh one and, unless --new, resumes
  // this board's saved game, paused, when it is of that deal (of any, when none was
  // asked). False when the plug-in refused the set-up.
  bool Start();
  // A key or button other than Quit, which the front end answers by closing.
  void Press(PlayKey key);
  // A click on a cell; while paused it only resumes.
  void Click(Cell cell);
  // The window lost the focus, was minimised or hidden: the game waits for P or a click.
  void LoseFocus();
  // Keeps a game in progress for the next start; a finished one leaves no saved game.
  void Keep();
  // Keep, as the player leaves.
  void Quit() { Keep(); }

  // After each delivered frame: composes the frame shown, the plug-in's with the marks
  // and banner painted over it, and answers the rows that changed since the last one.
  RowBand ComposeFrame();
  const std::vector<char>& ShownFrame() const { return m_shown; }
  // "score 120  pairs 12  misses 1" and what the game is at ("paused", "clearable", ...).
  std::string StatusWords();
  // "7:59 left"
  std::string ClockWords();
  // The window's title: the status words with the time left.
  std::string Title();

  bool Paused() const { return m_host.Paused(); }
  bool SoundsOn() const { return m_host.SoundsOn(); }
  bool HelpUsed() const { return m_helpUsed; }
  const FrameMarks& Marks() const { return m_marks; }
  const std::optional<KaveloMove>& HintedPair() const { return m_hint; }
  // The words for a won game: its time and rank, or that it was won with help.
  const std::string& WinWords() const { return m_winWords; }
  // "deal 48213", "daily 2026-12-08", with the rules when tiles fall ("deal 48213, tiles
  // fall down"); empty for a plain game of no number (a resumed game saved before deals
  // had numbers).
  std::string DealWords() const;
  // The address that plays this deal again ("deal=48213", "daily"), empty without one.
  std::string Address() const;
  // After the day's deal was won without help, the line to share:
  // "Kavelo daily 2026-12-08: cleared in 3:12, no help, 2 misses"; else empty.
  const std::string& ShareLine() const { return m_shareLine; }

 private:
  // Deals `number`, and a fresh one without; `daily` names the day whose deal it is.
  void Deal(std::optional<std::uint64_t> number, std::optional<CivilDate> daily);
  void Resume(std::optional<std::uint64_t> asked);
  CivilDate Today() const;
  // "tiles fall down", empty under the plain rule.
  std::string FallWords() const;
  void ClickCell(Cell cell);
  void TogglePause();
  // The board moved: the status and the outlook need a new look.
  void BoardChanged();
  // The hinted pair and the no-move banner go with any move.
  void ForgetHint();
  // Records a win once, and forgets the saved game of any finished one.
  void NoteOutcome();
  FrameMarks CurrentMarks();
  // "score 120  pairs 12  misses 1", and then what the game is at.
  std::string Counts();
  std::string Situation();
  const GameStatus& Status();

  PlayHost& m_host;
  PlaySettings m_settings;
  GameKeeper& m_keeper;
  PlaySources m_sources;
  std::optional<std::uint64_t> m_deal;  // the number of the deal in play
  std::optional<CivilDate> m_daily;     // the day whose deal is in play
  std::string m_shareLine;
  std::string m_notice;                 // a word on a key that could not do its job
  std::optional<Cell> m_chosen;         // the cell selected by the last click, as far as clicks tell
  struct MissedPair {
    int reason;  // a KAVELO_MISS_ reason
    Cell first, second;
    int frame;   // the host's frame count when it missed
  };
  std::optional<MissedPair> m_miss;     // the last pair that did not link, until the next move
  KeyCursor m_cursor;
  std::optional<KaveloMove> m_hint;
  bool m_noMoveLeft = false;
  bool m_helpUsed = false;      // a hint or undo: a win does not count as a best time
  bool m_resumed = false;       // the saved game was resumed and waits for the player
  bool m_outcomeNoted = false;
  bool m_boardChanged = true;   // the outlook needs a new look
  bool m_statusStale = true;    // score, pairs, misses and tiles need asking again
  GameStatus m_status{};
  int m_statusFrame = -1;       // the frame m_status was asked at
  std::string m_outlook, m_winWords;
  std::vector<char> m_shown;
  FrameMarks m_marks;           // as painted into m_shown
};

}  // namespace kavelo::play
