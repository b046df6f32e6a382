// The game played through its text protocol only, as a host sees it.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "GameHost.h"

using namespace kavelo::test;

namespace {

constexpr int kCell = 8;

class Protocol : public ::testing::Test {
 protected:
  // A 6 x 5 board (4 x 3 interior) of 3 kinds dealt 4 times: 12 tiles.
  void SetUpGame(int markAdd = 5) {
    host.AllocGdiData(frame.data(), 0, 0, 0);
    ASSERT_EQ(host.SetGameParam(art.SetUp(6, 5, 3, 4, 6 * kCell, 5 * kCell)), 0);
    ASSERT_EQ(host.InputEvent(ShuffleText(KAVELO_SHUFFLE_COMPACT)), 0);
    ASSERT_EQ(host.SetGameParam(W(CommandText(KAVELO_PARAM_SCORE_STEP) + "markAdd," + std::to_string(markAdd) + ";")),
              KAVELO_PARAM_SCORE_STEP);
  }
  int SetTimeLimit(int seconds) {
    return host.SetGameParam(W(CommandText(KAVELO_PARAM_TIME_BAR) + "timeBar," + art.Path("timebar.bmp") +
                               ";x,0;y,0;time," + std::to_string(seconds) + ";"));
  }
  int Click(int x, int y) { return host.InputEvent(ClickText(x, y)); }

  // The tile kind each cell shows, read from the delivered frame (0 for none).
  std::map<std::pair<int, int>, int> ReadBoard() {
    for (int i = 0; i < 5; ++i) host.InputEvent(EventText(KAVELO_EVENT_TICK));  // let any trail run out
    std::map<std::pair<int, int>, int> kinds;
    for (int y = 0; y < 5; ++y) {
      for (int x = 0; x < 6; ++x) {
        const auto* p = reinterpret_cast<const unsigned char*>(&frame[((y * kCell + 4) * 6 * kCell + x * kCell + 4) * 4]);
        for (int k = 1; k <= 3; ++k) {
          const auto c = KindColour(k);
          if (p[0] == c.b && p[1] == c.g && p[2] == c.r) kinds[{x, y}] = k;
        }
      }
    }
    return kinds;
  }

  SteppedClock clock;
  ArtFolder art{3, 3, kCell};
  std::vector<char> frame = std::vector<char>(6 * kCell * 5 * kCell * 4);
  GameHost host;
};

}  // namespace

TEST_F(Protocol, BeforeSetUpEveryEventAndCommandIsRefused) {
  const std::wstring keys = L"x,1;y,1;time,1;shuffle," KAVELO_TEXT(KAVELO_SHUFFLE_COMPACT) L";";
  for (int type : {KAVELO_EVENT_TICK, KAVELO_EVENT_CLICK, KAVELO_EVENT_SHUFFLE, 3, KAVELO_QUERY_PAIRS,
                   KAVELO_QUERY_MISSES, KAVELO_QUERY_CELL_WIDTH, KAVELO_QUERY_CELL_HEIGHT, KAVELO_EVENT_TIME,
                   KAVELO_QUERY_SCORE, KAVELO_QUERY_TILES_LEFT, KAVELO_QUERY_SECONDS_LEFT, 7, -1}) {
    EXPECT_EQ(host.InputEvent(EventText(type) + keys), -1) << type;
  }
  for (int param : {KAVELO_PARAM_SELECTION_PICTURE, KAVELO_PARAM_TIME_BAR, KAVELO_PARAM_SOUNDS,
                    KAVELO_PARAM_SCORE_STEP, 3, 0}) {
    EXPECT_EQ(host.SetGameParam(W(CommandText(param) + "time,5;markAdd,1;")), -1) << param;
  }
  EXPECT_EQ(host.frames, 0);
}

TEST_F(Protocol, CommandsAfterSetUpAnswerTheirNumberOrARefusal) {
  SetUpGame();
  const std::uintptr_t timers = kavelo::test::ClockTimers();
  struct Case {
    std::wstring command;
    int result;
  } cases[] = {
      {L"param,3;w,9;h,9;", -1}, {L"param,0;", -1}, {L"param,17;", -1}, {L"param,-1;", -1}, {L"param,;", -1},
      {L"param,99999999999;", -1},
      // the limit holds without the picture
      {W(CommandText(KAVELO_PARAM_TIME_BAR) + "timeBar,/no/such/bar.bmp;x,0;y,0;time,90;"), KAVELO_PARAM_TIME_BAR},
      {W(CommandText(KAVELO_PARAM_SOUNDS)), KAVELO_PARAM_SOUNDS},  // no sound keys: five empty paths
      {W(CommandText(KAVELO_PARAM_SELECTION_PICTURE) + "choose,/no/such/mark.bmp;"), KAVELO_PARAM_SELECTION_PICTURE},
  };
  for (const Case& c : cases) EXPECT_EQ(host.SetGameParam(c.command), c.result) << c.command.c_str();
  EXPECT_EQ(host.InputEvent(EventText(KAVELO_QUERY_SECONDS_LEFT)), 90);
  EXPECT_EQ(host.InputEvent(EventText(KAVELO_QUERY_TILES_LEFT)), 12);
  EXPECT_EQ(Click(0, 0), KAVELO_CLICK_CANCEL);  // plays the empty path of "cancel": silence
  EXPECT_EQ(kavelo::test::ClockTimers(), timers);
}

TEST_F(Protocol, AFailedSetUpLeavesWhatItBuiltBeforeTheFailingStep) {
  SetUpGame();
  ASSERT_EQ(Click(1, 1), KAVELO_CLICK_CHOOSE);
  const std::uintptr_t timers = kavelo::test::ClockTimers();
  auto withBits0 = [](std::wstring text) { return text.replace(text.find(L"screenBits,32"), 13, L"screenBits,0"); };
  struct Case {
    std::wstring command;
    int tilesLeft;  // the tiles-left query afterwards tells which board was built
    int cellWidth;
  } cases[] = {
      {art.SetUp(256, 5, 3, 4, 48, 40), 0, 0},           // "w" 256 keeps 0 in 8 bits: never dealt
      {withBits0(art.SetUp(6, 5, 3, 4, 48, 40)), 12, 0}, // dealt, the renderer never set up
      {art.SetUp(6, 5, 4, 2, 48, 40), 8, kCell},         // no 4th tile picture: three were loaded
  };
  for (const Case& c : cases) {
    EXPECT_EQ(host.SetGameParam(c.command), -1);
    EXPECT_EQ(host.InputEvent(EventText(KAVELO_QUERY_TILES_LEFT)), c.tilesLeft);
    EXPECT_EQ(host.InputEvent(EventText(KAVELO_QUERY_CELL_WIDTH)), c.cellWidth);
    EXPECT_EQ(kavelo::test::ClockTimers(), timers);  // no new clock
  }
  // The running flag of the game before is still set: the last board, dealt but not
  // shuffled, takes clicks on its packed tiles.
  EXPECT_EQ(Click(0, 0), KAVELO_CLICK_CHOOSE);
}

TEST_F(Protocol, AClickOnABoardThatWasNeverDealtIsRefusedSilently) {
  SetUpGame();
  EXPECT_EQ(host.SetGameParam(art.SetUp(0, 5, 3, 4, 48, 40)), -1);
  EXPECT_EQ(Click(1, 1), -1);
  EXPECT_EQ(host.InputEvent(TimeText(1)), 0);  // the running flag was left alone
}

TEST_F(Protocol, ANewGameStartedInsideOnGameOverEndsWithTheFlagCleared) {
  SetUpGame();
  host.onGameOver = [this](int) {
    EXPECT_EQ(host.SetGameParam(art.SetUp(6, 5, 3, 4, 48, 40)), 0);
    EXPECT_EQ(host.InputEvent(EventText(KAVELO_QUERY_TILES_LEFT)), 12);
  };
  EXPECT_EQ(host.InputEvent(TimeText(1)), 0);
  EXPECT_EQ(host.gameOvers.size(), 1u);
  EXPECT_EQ(Click(1, 1), -1);  // the flag was cleared after the callback returned
  EXPECT_EQ(host.InputEvent(EventText(KAVELO_EVENT_TICK)), 0);
}

TEST_F(Protocol, QueriesAnswerFromTheBoardAndTheRenderer) {
  SetUpGame();
  ASSERT_EQ(SetTimeLimit(60), KAVELO_PARAM_TIME_BAR);
  ASSERT_EQ(host.InputEvent(TimeText(15)), 15);
  struct Case {
    int type;
    int answer;
  } cases[] = {{KAVELO_QUERY_PAIRS, 0},        {KAVELO_QUERY_MISSES, 0},     {KAVELO_QUERY_CELL_WIDTH, kCell},
               {KAVELO_QUERY_CELL_HEIGHT, kCell}, {KAVELO_QUERY_SCORE, 0},      {KAVELO_QUERY_TILES_LEFT, 12},
               {KAVELO_QUERY_SECONDS_LEFT, 45},   {KAVELO_QUERY_LAST_MISS, KAVELO_MISS_NONE},
               {3, 0}, {5, 0}, {-4, 0}, {2048, 0}};  // the last four: no queries
  for (const Case& c : cases) EXPECT_EQ(host.InputEvent(EventText(c.type)), c.answer) << c.type;
}

TEST_F(Protocol, UndoBringsThePairBackIntoTheFrameAndSolvedMovesWinAndEndTheGame) {
  host.SetSolvableShuffles(true);
  SetUpGame(5);
  const auto start = ReadBoard();
  KaveloMove move{};
  ASSERT_TRUE(host.FindSafeHint(move));
  ASSERT_EQ(Click(move.x1, move.y1), KAVELO_CLICK_CHOOSE);
  ASSERT_EQ(Click(move.x2, move.y2), KAVELO_CLICK_CONNECT);
  EXPECT_EQ(ReadBoard().size(), start.size() - 2);
  const int misses = host.InputEvent(EventText(KAVELO_QUERY_MISSES));
  ASSERT_TRUE(host.Undo());
  EXPECT_EQ(ReadBoard(), start);
  const std::vector<int> counters = {
      host.InputEvent(EventText(KAVELO_QUERY_PAIRS)), host.InputEvent(EventText(KAVELO_QUERY_SCORE)),
      host.InputEvent(EventText(KAVELO_QUERY_TILES_LEFT)), host.InputEvent(EventText(KAVELO_QUERY_MISSES))};
  EXPECT_EQ(counters, (std::vector<int>{0, 0, 12, misses}));
  EXPECT_FALSE(host.Undo());
  ASSERT_TRUE(host.Redo());
  EXPECT_EQ(ReadBoard().size(), start.size() - 2);

  // The shuffle dealt a clearable board: its solution wins, and then nothing is undone.
  std::vector<KaveloMove> moves;
  ASSERT_EQ(host.Solve(moves, 60000), KaveloSolved);
  for (const KaveloMove& m : moves) {
    Click(m.x1, m.y1);
    Click(m.x2, m.y2);
  }
  EXPECT_EQ(host.gameOvers, std::vector<int>{1});
  EXPECT_EQ(host.InputEvent(EventText(KAVELO_QUERY_TILES_LEFT)), 0);
  EXPECT_EQ(host.InputEvent(EventText(KAVELO_QUERY_PAIRS)), 6);
  EXPECT_EQ(host.InputEvent(EventText(KAVELO_QUERY_SCORE)), 30);
  EXPECT_FALSE(host.Undo() || host.Redo());
  // Ended: clicks and commands are refused, ticks still draw and notify.
  EXPECT_EQ(Click(1, 1), -1);
  EXPECT_EQ(host.SetGameParam(W(CommandText(KAVELO_PARAM_SCORE_STEP) + "markAdd,1;")), -1);
  const int frames = host.frames;
  EXPECT_EQ(host.InputEvent(EventText(KAVELO_EVENT_TICK)), 0);
  EXPECT_EQ(host.frames, frames + 1);
  EXPECT_EQ(host.InputEvent(ShuffleText(KAVELO_SHUFFLE_MIX)), 0);
}
