#include "PlayHost.h"

#include <cstdlib>

namespace kavelo::play {
namespace {

int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

Cell MouseToCell(int px, int py, int zeroX, int zeroY, int cellWidth, int cellHeight) {
  if (cellWidth <= 0 || cellHeight <= 0) return {-1, -1};
  return {FloorDiv(px - zeroX, cellWidth), FloorDiv(py - zeroY, cellHeight)};
}

PlayHost::PlayHost(const PlaySettings& settings)
    : m_settings(settings),
      m_cell(settings.pictureDir.empty() || settings.cell <= 0 ? kArtCell : settings.cell),
      m_boardTop(kBoardTop * m_cell / kArtCell),
      m_frameWidth((settings.columns + 2) * m_cell),
      m_frameHeight(m_boardTop + (settings.rows + 2) * m_cell),
      m_frame(static_cast<std::size_t>(m_frameWidth) * m_frameHeight * 4) {
  AllocGdiData(m_frame.data(), m_frameWidth, m_frameHeight, 32);
  SetSolvableShuffles(!settings.anyShuffle);
}

std::wstring PlayHost::Command(const std::string& text) const {
  // Paths may hold any UTF-8; the plug-in takes wide texts.
  std::wstring wide(text.size() + 1, L'\0');
  const std::size_t n = std::mbstowcs(wide.data(), text.c_str(), wide.size());
  if (n == static_cast<std::size_t>(-1)) return std::wstring(text.begin(), text.end());
  wide.resize(n);
  return wide;
}

bool PlayHost::NewGame(std::optional<std::uint64_t> number) {
  const std::string& art = m_settings.pictureDir.empty() ? m_settings.artDir : m_settings.pictureDir;
  const auto n = [](int v) { return std::to_string(v); };
  m_outcome = Outcome::Playing;
  const std::string setUp = "param," KAVELO_TEXT(KAVELO_PARAM_SET_UP) ";w," + n(GridColumns()) + ";h," +
                            n(GridRows()) + ";c," + n(m_settings.kinds) + ";r," + n(m_settings.copies) +
                            ";screenWidth," + n(m_frameWidth) + ";screenHeight," + n(m_frameHeight) +
                            ";screenBits,32;zeroX," + n(BoardLeft()) + ";zeroY," + n(BoardTop()) + ";iconPath," +
                            art + "/tile;iconType,.png;animationFrames,10;animationPath," + art +
                            "/trail;animationType,.png;";
  SetDeal(number);
  SetGameParam(Command(std::string("param," KAVELO_TEXT(KAVELO_PARAM_RULES) ";gravity,") +
                       kGravityNames[m_settings.gravity] + ";"));
  if (SetGameParam(Command(setUp)) != 0) return false;
  SetGameParam(Command("param," KAVELO_TEXT(KAVELO_PARAM_SELECTION_PICTURE) ";choose," + art + "/choose.png;"));
  SetGameParam(Command("param," KAVELO_TEXT(KAVELO_PARAM_TIME_BAR) ";timeBar," + art + "/timebar.png;x," +
                       n(m_cell) + ";y," + n(kTimeBarTop * m_cell / kArtCell) + ";time," + n(m_settings.seconds) + ";"));
  SendSounds();
  SetGameParam(Command("param," KAVELO_TEXT(KAVELO_PARAM_SCORE_STEP) ";markAdd," + n(m_settings.scoreStep) + ";"));
  Shuffle(KAVELO_SHUFFLE_SPREAD);
  AskCellSize();
  return true;
}

void PlayHost::AskCellSize() {
  m_cellWidth = Query(KAVELO_QUERY_CELL_WIDTH);
  m_cellHeight = Query(KAVELO_QUERY_CELL_HEIGHT);
}

void PlayHost::SendSounds() {
  // Each key of the sound command names a sound's file; an empty name plays nothing.
  std::string command = "param," KAVELO_TEXT(KAVELO_PARAM_SOUNDS) ";";
  for (const char* sound : {"cancel", "connect", "wrong", "choose", "win"}) {
    command += std::string(sound) + "," + (m_soundsOn ? m_settings.artDir + "/" + sound + ".wav" : "") + ";";
  }
  SetGameParam(Command(command));
}

void PlayHost::SetSounds(bool on) {
  m_soundsOn = on;
  SendSounds();
}

int PlayHost::Click(Cell cell) {
  return InputEvent(L"type," KAVELO_TEXT(KAVELO_EVENT_CLICK) L";x," + std::to_wstring(cell.x) + L";y," +
                    std::to_wstring(cell.y) + L";");
}

void PlayHost::Shuffle(int mode) {
  InputEvent(L"type," KAVELO_TEXT(KAVELO_EVENT_SHUFFLE) L";shuffle," + std::to_wstring(mode) + L";");
}

int PlayHost::Query(int query) { return InputEvent(L"type," + std::to_wstring(query) + L";"); }

GameStatus PlayHost::Status() {
  return {Query(KAVELO_QUERY_SCORE), Query(KAVELO_QUERY_PAIRS), Query(KAVELO_QUERY_MISSES),
          Query(KAVELO_QUERY_SECONDS_LEFT), Query(KAVELO_QUERY_TILES_LEFT)};
}

Cell PlayHost::CellAt(int px, int py) const {
  return MouseToCell(px, py, BoardLeft(), BoardTop(), m_cellWidth, m_cellHeight);
}

Box PlayHost::CellBox(Cell cell) const {
  return {BoardLeft() + cell.x * m_cellWidth, BoardTop() + cell.y * m_cellHeight, m_cellWidth, m_cellHeight};
}

int PlayHost::OnGdiDataChange() {
  ++m_frames;
  m_newFrame = true;
  int first = 0;
  const int rows = ChangedRows(first);
  m_changed = m_changed.Union({first, rows});
  return 0;
}

void PlayHost::OnGameOver(int nResult) { m_outcome = nResult == 1 ? Outcome::Won : Outcome::Lost; }

bool PlayHost::TakeFrame() {
  const bool fresh = m_newFrame;
  m_newFrame = false;
  return fresh;
}

RowBand PlayHost::TakeChangedRows() {
  const RowBand rows = m_changed;
  m_changed = {};
  return rows;
}

}  // namespace kavelo::play
