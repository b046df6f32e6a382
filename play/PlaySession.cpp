#include "PlaySession.h"

namespace kavelo::play {
namespace {

// How long the check after a move may take: well inside a frame's tenth of a second.
constexpr int kCheckBudgetMs = 5;

// Whether the board can still be cleared, as far as a short solver run can tell.
std::string Outlook(PlayHost& host) {
  if (host.GameOutcome() != Outcome::Playing) return "";
  std::vector<KaveloMove> moves;
  switch (host.Solve(moves, kCheckBudgetMs)) {
    case KaveloSolved: return "  -  clearable";
    case KaveloUnsolvable: return "  -  dead end";
    default: return "";
  }
}

}  // namespace

PlaySession::PlaySession(PlayHost& host, const PlaySettings& settings, GameKeeper& keeper)
    : m_host(host), m_settings(settings), m_keeper(keeper), m_cursor(host.GridColumns(), host.GridRows()) {}

bool PlaySession::Start() {
  if (!m_host.NewGame()) return false;
  if (!m_settings.fresh) Resume();
  return true;
}

void PlaySession::Resume() {
  const std::optional<SavedGame> saved = m_keeper.ReadSavedGame();
  if (!saved) return;
  if (m_host.LoadGame(saved->game.data(), saved->game.size()) != 0) {
    m_keeper.SetAside("the game in it does not load");
    return;
  }
  if (m_host.Query(KAVELO_QUERY_TILES_LEFT) == 0 || m_host.Query(KAVELO_QUERY_SECONDS_LEFT) <= 0) {
    m_keeper.SetAside("the game in it is over");
    m_host.NewGame();
    return;
  }
  // The shuffles follow this run's options, not the saved run's.
  m_host.SetSolvableShuffles(!m_settings.anyShuffle);
  m_helpUsed = saved->helpUsed;
  m_resumed = true;
  m_host.Pause(true);
}

void PlaySession::NewGame() {
  m_host.NewGame();
  m_overlay = {};
  m_helpUsed = m_resumed = m_outcomeNoted = false;
  m_winWords.clear();
  m_boardChanged = true;
}

void PlaySession::TogglePause() {
  m_host.Pause(!m_host.Paused());
  if (!m_host.Paused()) m_resumed = false;
  m_overlay = {};
  m_boardChanged = true;
}

void PlaySession::ClickCell(Cell cell) {
  if (m_host.Paused()) return TogglePause();
  m_overlay.hint.reset();
  m_host.Click(cell);
  m_boardChanged = true;
  NoteOutcome();
}

void PlaySession::Click(Cell cell) {
  if (!m_host.Paused()) m_cursor.MoveTo(cell);
  ClickCell(cell);
}

void PlaySession::Press(PlayKey key) {
  switch (key) {
    case PlayKey::Left: return m_cursor.Move(-1, 0);
    case PlayKey::Right: return m_cursor.Move(1, 0);
    case PlayKey::Up: return m_cursor.Move(0, -1);
    case PlayKey::Down: return m_cursor.Move(0, 1);
    case PlayKey::Click: return ClickCell(m_cursor.At());
    case PlayKey::Pause: return TogglePause();
    case PlayKey::Mute: return m_host.SetSounds(!m_host.SoundsOn());
    case PlayKey::Shuffle:
      if (m_host.Paused()) return;
      m_host.Shuffle(KAVELO_SHUFFLE_MIX);
      break;
    case PlayKey::NewGame: return NewGame();
    case PlayKey::Hint: {
      KaveloMove move{};
      const bool found = m_host.FindSafeHint(move);
      m_overlay.noMoveLeft = !found && !m_host.Paused() && m_host.GameOutcome() == Outcome::Playing;
      m_overlay.hint = found ? std::optional<KaveloMove>(move) : std::nullopt;
      m_helpUsed = m_helpUsed || found;
      return;
    }
    case PlayKey::Undo:
      if (!m_host.Undo()) return;
      m_helpUsed = true;
      break;
    case PlayKey::Redo:
      if (!m_host.Redo()) return;
      break;
    case PlayKey::None: case PlayKey::Quit: return;
  }
  m_overlay = {};
  m_boardChanged = true;
  NoteOutcome();
}

void PlaySession::LoseFocus() {
  if (m_host.Paused()) return;
  m_host.Pause(true);
  m_overlay = {};
}

void PlaySession::NoteOutcome() {
  const Outcome outcome = m_host.GameOutcome();
  if (outcome == Outcome::Playing || m_outcomeNoted) return;
  m_outcomeNoted = true;
  m_keeper.Forget();
  if (outcome != Outcome::Won) return;
  const int seconds = m_settings.seconds - m_host.Query(KAVELO_QUERY_SECONDS_LEFT);
  m_winWords = m_helpUsed ? "won with help in " + ClockText(seconds) : m_keeper.RecordWin(seconds, TodayText());
}

void PlaySession::Quit() {
  NoteOutcome();
  if (m_host.GameOutcome() != Outcome::Playing) return;
  SavedGame saved{BoardOf(m_settings), m_helpUsed, {}};
  if (m_host.SaveGame(saved.game)) m_keeper.Keep(saved);
}

const std::vector<char>& PlaySession::ShownFrame() {
  NoteOutcome();  // time runs out between clicks
  m_shown = m_host.Frame();
  if (m_cursor.Shown()) {
    const int cw = m_host.Query(KAVELO_QUERY_CELL_WIDTH), ch = m_host.Query(KAVELO_QUERY_CELL_HEIGHT);
    const Cell at = m_cursor.At();
    DrawCursor(m_shown, m_host.FrameWidth(), m_host.FrameHeight(), m_host.BoardLeft() + at.x * cw,
               m_host.BoardTop() + at.y * ch, cw, ch);
  }
  return m_shown;
}

std::string PlaySession::Title() {
  NoteOutcome();
  // Looked at once the frame is shown, and only after a move.
  if (m_boardChanged) m_outlook = Outlook(m_host), m_boardChanged = false;
  const GameStatus s = m_host.Status();
  std::string title = "kavelo-play  -  score " + std::to_string(s.score) + "  pairs " + std::to_string(s.pairs) +
                      "  misses " + std::to_string(s.misses) + "  " + std::to_string(s.secondsLeft) + " s left";
  switch (m_host.GameOutcome()) {
    case Outcome::Won: return title + "  -  " + m_winWords;
    case Outcome::Lost: return title + "  -  time is up";
    case Outcome::Playing: break;
  }
  if (m_host.Paused()) {
    return title + (m_resumed ? "  -  saved game resumed, paused: P or a click goes on" : "  -  paused");
  }
  return title + (m_host.SoundsOn() ? "" : "  -  sound off") + m_outlook;
}

}  // namespace kavelo::play
