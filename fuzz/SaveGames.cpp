#include "fuzz/SaveGames.h"

#include "fuzz/FuzzArt.h"
#include "tests/support/ProtocolText.h"

namespace kavelo::fuzz {

using kavelo::test::ClickText;
using kavelo::test::CommandText;
using kavelo::test::EventText;
using kavelo::test::ShuffleText;
using kavelo::test::TimeText;

namespace {

constexpr int kLimit = 300;

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

}  // namespace

SaveHost::SaveHost(const std::string& art, const SaveBoard& board)
    : board(board), m_frame(static_cast<std::size_t>(board.w * kSeedCell) * board.h * kSeedCell * 4) {
  AllocGdiData(m_frame.data(), 0, 0, 0);
  SetGameParam(Wide(CommandText(KAVELO_PARAM_SET_UP) + "w," + std::to_string(board.w) + ";h," +
                    std::to_string(board.h) + ";c," + std::to_string(board.kinds) + ";r," +
                    std::to_string(board.copies) + ";screenWidth," + std::to_string(board.w * kSeedCell) +
                    ";screenHeight," + std::to_string(board.h * kSeedCell) + ";screenBits,32;zeroX,0;zeroY,0;iconPath," +
                    art + "/bt;iconType,.bmp;animationFrames,6;animationPath," + art + "/tr;animationType,.bmp;"));
  SetGameParam(Wide(CommandText(KAVELO_PARAM_SELECTION_PICTURE) + "choose," + art + "/choose.png;"));
  SetGameParam(Wide(CommandText(KAVELO_PARAM_TIME_BAR) + "timeBar," + art + "/timebar.gif;x,0;y,0;time," +
                    std::to_string(kLimit) + ";"));
  SetGameParam(Wide(CommandText(KAVELO_PARAM_SCORE_STEP) + "markAdd,3;"));
}

int SaveHost::Click(int x, int y) { return InputEvent(ClickText(x, y)); }

std::vector<unsigned char> SaveHost::Save() const {
  std::vector<unsigned char> bytes;
  SaveGame(bytes);
  return bytes;
}

int SaveHost::LinkHint() {
  KaveloMove m{};
  if (!FindHint(m)) return -1;
  Click(m.x1, m.y1);
  return Click(m.x2, m.y2);
}

std::vector<std::vector<unsigned char>> PlayedSaves(const std::string& art, const SaveBoard& board) {
  std::vector<std::vector<unsigned char>> saves;
  SaveHost host(art, board);
  host.SetSolvableShuffles(true);
  host.Click(0, 0);
  host.Event(ShuffleText(KAVELO_SHUFFLE_COMPACT));
  saves.push_back(host.Save());  // the selection on a cell the shuffle emptied
  host.Event(TimeText(5));
  host.LinkHint();
  host.LinkHint();
  KaveloMove m{};
  if (host.FindHint(m)) host.Click(m.x1, m.y1);
  saves.push_back(host.Save());
  host.Undo();
  saves.push_back(host.Save());
  host.Undo();
  host.Redo();
  saves.push_back(host.Save());
  std::vector<KaveloMove> moves;
  if (host.Solve(moves, 1000) == KaveloSolved) {
    for (const KaveloMove& move : moves) {
      host.Click(move.x1, move.y1);
      if (host.Click(move.x2, move.y2) == KAVELO_CLICK_WIN) break;
      if (host.Event(EventText(KAVELO_QUERY_TILES_LEFT)) == 2) saves.push_back(host.Save());
    }
    saves.push_back(host.Save());
  }
  SaveHost late(art, board);
  late.Event(ShuffleText(KAVELO_SHUFFLE_SPREAD));
  late.LinkHint();
  late.Event(TimeText(kLimit));
  saves.push_back(late.Save());
  return saves;
}

}  // namespace kavelo::fuzz
