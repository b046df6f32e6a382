#include "PlaySession.h"

#include <algorithm>
#include <cstring>

#include "PlayAddress.h"

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

// A failed pair's cells stay crossed out this many frames, a second of the clock.
constexpr int kMissFrames = 10;

constexpr Colour kWonColour{120, 255, 140}, kLostColour{255, 110, 100}, kPausedColour{140, 200, 255},
    kStuckColour{255, 220, 90};

}  // namespace

PlaySession::PlaySession(PlayHost& host, const PlaySettings& settings, GameKeeper& keeper, PlaySources sources)
    : m_host(host), m_settings(settings), m_keeper(keeper), m_sources(std::move(sources)),
      m_cursor(host.GridColumns(), host.GridRows()) {}

CivilDate PlaySession::Today() const { return UtcDate(m_sources.unixSeconds()); }

bool PlaySession::Start() {
  const std::optional<std::uint64_t> asked = AskedDeal(m_settings, m_sources.unixSeconds());
  const std::uint64_t number = asked ? *asked : m_sources.freshDeal();
  if (!m_host.NewGame(number)) return false;
  m_deal = number;
  if (m_settings.daily) m_daily = Today();
  if (!m_settings.fresh) Resume(asked);
  return true;
}

void PlaySession::Resume(std::optional<std::uint64_t> asked) {
  const std::optional<SavedGame> saved = m_keeper.ReadSavedGame();
  if (!saved) return;
  if (m_host.LoadGame(saved->game.data(), saved->game.size()) != 0) {
    m_keeper.SetAside("the game in it does not load");
    return;
  }
  if (m_host.Gravity() != m_settings.gravity) {
    m_keeper.SetAside("the game in it plays by other rules");
    m_host.NewGame(m_deal);
    return;
  }
  if (m_host.Query(KAVELO_QUERY_TILES_LEFT) == 0 || m_host.Query(KAVELO_QUERY_SECONDS_LEFT) <= 0) {
    m_keeper.SetAside("the game in it is over");
    m_host.NewGame(m_deal);
    return;
  }
  // A link to another deal plays that deal; the saved game waits until this one is kept.
  if (asked && m_host.DealNumber() != asked) {
    m_host.NewGame(m_deal);
    return;
  }
  m_deal = m_host.DealNumber();
  const CivilDate today = Today();
  if (m_deal && *m_deal == DailyDealNumber(today)) m_daily = today;
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
  m_miss.reset();
}

void PlaySession::Deal(std::optional<std::uint64_t> number, std::optional<CivilDate> daily) {
  m_deal = number ? *number : m_sources.freshDeal();
  m_daily = daily;
  m_host.NewGame(m_deal);
  ForgetHint();
  m_helpUsed = m_resumed = m_outcomeNoted = false;
  m_winWords.clear();
  m_shareLine.clear();
  m_chosen.reset();
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
  const int result = m_host.Click(cell);
  // A pair that did not link says why, and its two cells are marked for a moment.
  const int reason = result == KAVELO_CLICK_WRONG ? m_host.Query(KAVELO_QUERY_LAST_MISS) : KAVELO_MISS_NONE;
  if (m_chosen && (reason == KAVELO_MISS_KINDS || reason == KAVELO_MISS_PATH)) {
    m_miss = MissedPair{reason, *m_chosen, cell, m_host.Frames()};
  }
  // The clicked tile stays selected after a choice and after a pair that did not link.
  m_chosen = result == KAVELO_CLICK_CHOOSE || result == KAVELO_CLICK_WRONG ? std::optional<Cell>(cell) : std::nullopt;
  BoardChanged();
  NoteOutcome();
}

void PlaySession::Click(Cell cell) {
  if (!m_host.Paused()) m_cursor.MoveTo(cell);
  ClickCell(cell);
}

void PlaySession::Press(PlayKey key) {
  m_notice.clear();
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
    case PlayKey::NewGame: return Deal(std::nullopt, std::nullopt);
    case PlayKey::Replay:
      // A game of no number cannot be dealt again; a new one takes its place.
      return Deal(m_deal, m_daily);
    case PlayKey::Daily: {
      PlaySettings dailyBoard;  // the default board, by this game's rules
      dailyBoard.gravity = m_settings.gravity;
      if (!(BoardOf(m_settings) == BoardOf(dailyBoard))) {
        m_notice = "the day's deal is played on the default board";
        return;
      }
      const CivilDate today = Today();
      return Deal(DailyDealNumber(today), today);
    }
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
  if (!m_daily) return;
  // The day the deal belongs to, even when the game ran past midnight.
  const int streak = m_helpUsed ? m_keeper.DailyStreakOn(Today()) : m_keeper.RecordDailyWin(*m_daily);
  m_winWords += "  -  daily streak " + std::to_string(streak) + (streak == 1 ? " day" : " days");
  if (m_helpUsed) return;
  const int misses = m_host.Query(KAVELO_QUERY_MISSES);
  const std::string rules = FallWords().empty() ? "" : " (" + FallWords() + ")";
  m_shareLine = "Kavelo daily " + DateText(*m_daily) + rules + ": cleared in " + ClockText(seconds) + ", no help, " +
                std::to_string(misses) + (misses == 1 ? " miss" : " misses");
}

std::string PlaySession::FallWords() const {
  return m_settings.gravity > 0 ? std::string("tiles fall ") + kGravityNames[m_settings.gravity] : "";
}

std::string PlaySession::DealWords() const {
  const std::string rules = FallWords();
  std::string deal = m_daily ? "daily " + DateText(*m_daily) : m_deal ? "deal " + std::to_string(*m_deal) : "";
  return deal.empty() || rules.empty() ? deal + rules : deal + ", " + rules;
}

std::string PlaySession::Address() const {
  if (m_daily) return "daily";
  return m_deal ? DealAddress(m_settings, *m_deal) : "";
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
  if (m_miss && m_host.Frames() - m_miss->frame < kMissFrames) {
    marks.misses = {m_host.CellBox(m_miss->first), m_host.CellBox(m_miss->second)};
  }
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
  if (!m_notice.empty()) return "  -  " + m_notice;
  if (m_miss) return m_miss->reason == KAVELO_MISS_KINDS ? "  -  not a pair" : "  -  no path with two turns";
  // Looked at once the frame is shown, and only after a move.
  if (m_boardChanged) m_outlook = Outlook(m_host), m_boardChanged = false;
  return (m_host.SoundsOn() ? "" : "  -  sound off") + m_outlook;
}

std::string PlaySession::StatusWords() {
  const std::string situation = Situation();
  const std::string deal = DealWords();
  return (deal.empty() ? "" : deal + "  ") + Counts() + situation;
}

std::string PlaySession::ClockWords() { return ClockText(std::max(Status().secondsLeft, 0)) + " left"; }

std::string PlaySession::Title() {
  const std::string situation = Situation();
  const std::string deal = DealWords();
  return "kavelo-play  -  " + (deal.empty() ? "" : deal + "  -  ") + Counts() + "  " + ClockWords() + situation;
}

}  // namespace kavelo::play
