#include "PlaySession.h"

#include <algorithm>
#include <cstring>

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

constexpr Colour kWonColour{120, 255, 140}, kLostColour{255, 110, 100}, kPausedColour{140, 200, 255},
    kStuckColour{255, 220, 90};

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
  BoardChanged();
}

void PlaySession::BoardChanged() { m_boardChanged = m_statusStale = true; }

void PlaySession::ForgetHint() {
  m_hint.reset();
  m_noMoveLeft = false;
}

void PlaySession::NewGame() {
  m_host.NewGame();
  ForgetHint();
  m_helpUsed = m_resumed = m_outcomeNoted = false;
  m_winWords.clear();
  BoardChanged();
}

void PlaySession::TogglePause() {
  m_host.Pause(!m_host.Paused());
  if (!m_host.Paused()) m_resumed = false;
  ForgetHint();
  BoardChanged();
}

void PlaySession::ClickCell(Cell cell) {
  if (m_host.Paused()) return TogglePause();
  ForgetHint();
  m_host.Click(cell);
  BoardChanged();
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
      m_noMoveLeft = !found && !m_host.Paused() && m_host.GameOutcome() == Outcome::Playing;
      m_hint = found ? std::optional<KaveloMove>(move) : std::nullopt;
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
  ForgetHint();
  BoardChanged();
  NoteOutcome();
}

void PlaySession::LoseFocus() {
  if (m_host.Paused() || m_host.GameOutcome() != Outcome::Playing) return;
  m_host.Pause(true);
  ForgetHint();
}

void PlaySession::NoteOutcome() {
  const Outcome outcome = m_host.GameOutcome();
  if (outcome == Outcome::Playing || m_outcomeNoted) return;
  m_outcomeNoted = true;
  m_statusStale = true;
  m_keeper.Forget();
  if (outcome != Outcome::Won) return;
  const int seconds = m_settings.seconds - m_host.Query(KAVELO_QUERY_SECONDS_LEFT);
  m_winWords = m_helpUsed ? "won with help in " + ClockText(seconds) : m_keeper.RecordWin(seconds, TodayText());
}

void PlaySession::Keep() {
  NoteOutcome();
  if (m_host.GameOutcome() != Outcome::Playing) return;
  SavedGame saved{BoardOf(m_settings), m_helpUsed, {}};
  if (m_host.SaveGame(saved.game)) m_keeper.Keep(saved);
}

const GameStatus& PlaySession::Status() {
  // Only the time moves by itself, with the clock's frames; the rest changes with the
  // player's moves.
  if (m_statusStale) {
    m_status = m_host.Status();
    m_statusStale = false;
  } else if (m_statusFrame != m_host.Frames()) {
    m_status.secondsLeft = m_host.Query(KAVELO_QUERY_SECONDS_LEFT);
  }
  m_statusFrame = m_host.Frames();
  return m_status;
}

FrameMarks PlaySession::CurrentMarks() {
  FrameMarks marks;
  if (m_cursor.Shown()) marks.cursor = m_host.CellBox(m_cursor.At());
  if (m_hint) marks.hints = {m_host.CellBox({m_hint->x1, m_hint->y1}), m_host.CellBox({m_hint->x2, m_hint->y2})};
  const auto again = [&] { return "SCORE " + std::to_string(m_status.score) + " - PRESS N FOR A NEW GAME"; };
  switch (m_host.GameOutcome()) {
    case Outcome::Won: marks.banner = Banner{"YOU WON!", kWonColour, again()}; break;
    case Outcome::Lost: marks.banner = Banner{"TIME IS UP", kLostColour, again()}; break;
    case Outcome::Playing:
      if (m_host.Paused()) {
        marks.banner = Banner{"PAUSED", kPausedColour, "PRESS P OR CLICK TO GO ON"};
      } else if (m_noMoveLeft) {
        marks.banner = Banner{"NO MOVE LEFT", kStuckColour, "PRESS S TO SHUFFLE"};
      }
      break;
  }
  return marks;
}

RowBand PlaySession::ComposeFrame() {
  NoteOutcome();  // time runs out between clicks
  Status();
  const std::vector<char>& frame = m_host.Frame();
  const int width = m_host.FrameWidth(), height = m_host.FrameHeight();
  RowBand changed = m_host.TakeChangedRows();
  const FrameMarks marks = CurrentMarks();
  if (m_shown.size() != frame.size()) {
    m_shown.assign(frame.size(), 0);
    changed = {0, height};
  } else if (marks != m_marks) {
    changed = changed.Union(m_marks.Rows(height)).Union(marks.Rows(height));
  }
  const int first = std::clamp(changed.first, 0, height), end = std::clamp(changed.End(), first, height);
  changed = {first, end - first};
  const std::size_t row = static_cast<std::size_t>(width) * 4;
  if (!changed.Empty()) std::memcpy(&m_shown[first * row], &frame[first * row], changed.count * row);
  PaintMarks(m_shown, width, height, marks, changed);
  m_marks = marks;
  return changed;
}

std::string PlaySession::Counts() {
  const GameStatus& s = Status();
  return "score " + std::to_string(s.score) + "  pairs " + std::to_string(s.pairs) + "  misses " +
         std::to_string(s.misses);
}

std::string PlaySession::Situation() {
  NoteOutcome();
  switch (m_host.GameOutcome()) {
    case Outcome::Won: return "  -  " + m_winWords;
    case Outcome::Lost: return "  -  time is up";
    case Outcome::Playing: break;
  }
  if (m_host.Paused()) return m_resumed ? "  -  saved game resumed, paused: P or a click goes on" : "  -  paused";
  if (m_noMoveLeft) return "  -  no pair can be linked: S shuffles";
  // Looked at once the frame is shown, and only after a move.
  if (m_boardChanged) m_outlook = Outlook(m_host), m_boardChanged = false;
  return (m_host.SoundsOn() ? "" : "  -  sound off") + m_outlook;
}

std::string PlaySession::StatusWords() {
  const std::string situation = Situation();
  return Counts() + situation;
}

std::string PlaySession::ClockWords() { return ClockText(std::max(Status().secondsLeft, 0)) + " left"; }

std::string PlaySession::Title() {
  const std::string situation = Situation();
  return "kavelo-play  -  " + Counts() + "  " + ClockWords() + situation;
}

}  // namespace kavelo::play
