#pragma once
// A game in a window, whatever the window system: what the keys and clicks do, pausing,
// the keyboard cursor, whether help was used, the title, and the game kept across runs.
// The front ends turn their events into these calls and draw what it hands back.

#include <optional>
#include <string>
#include <vector>

#include "GameKeeper.h"
#include "KeyCursor.h"
#include "KeyMap.h"
#include "PlayHost.h"

namespace kavelo::play {

// What the window shows over the frame besides the cursor.
struct Overlay {
  std::optional<KaveloMove> hint;
  bool noMoveLeft = false;
};

class PlaySession {
 public:
  PlaySession(PlayHost& host, const PlaySettings& settings, GameKeeper& keeper);

  // Deals a game and, unless --new, resumes this board's saved game, paused. False when
  // the plug-in refused the set-up.
  bool Start();
  // A key other than Quit, which the front end answers by closing.
  void Press(PlayKey key);
  // A mouse click on a cell; while paused it only resumes.
  void Click(Cell cell);
  // The window lost the focus or was minimised: the game waits for P or a click.
  void LoseFocus();
  // Keeps a game in progress for the next start; a finished one leaves no saved game.
  void Quit();

  // The latest frame with the cursor drawn over it, after each delivered frame.
  const std::vector<char>& ShownFrame();
  std::string Title();
  const Overlay& CurrentOverlay() const { return m_overlay; }
  bool Paused() const { return m_host.Paused(); }
  bool HelpUsed() const { return m_helpUsed; }
  // The words for a won game: its time and rank, or that it was won with help.
  const std::string& WinWords() const { return m_winWords; }

 private:
  void NewGame();
  void Resume();
  void ClickCell(Cell cell);
  void TogglePause();
  // Records a win once, and forgets the saved game of any finished one.
  void NoteOutcome();

  PlayHost& m_host;
  PlaySettings m_settings;
  GameKeeper& m_keeper;
  KeyCursor m_cursor;
  Overlay m_overlay;
  std::vector<char> m_shown;
  bool m_helpUsed = false;      // a hint or undo: a win does not count as a best time
  bool m_resumed = false;       // the saved game was resumed and waits for the player
  bool m_outcomeNoted = false;
  bool m_boardChanged = true;   // the outlook in the title needs a new look
  std::string m_outlook, m_winWords;
};

}  // namespace kavelo::play
