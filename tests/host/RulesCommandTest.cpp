// The rule variants through the protocol and the C interface: the rules command's
// refusals, the variant holding for later set-ups, boards that fall and stay clearable, and
// the query that says why a pair missed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GameHost.h"

using namespace kavelo::test;

namespace {

constexpr int kCell = 8;
constexpr int kWidth = 8, kHeight = 7;  // a 6 x 5 interior

std::wstring RulesText(const std::string& pairs) { return W(CommandText(KAVELO_PARAM_RULES) + pairs); }

struct Table {
  explicit Table(const ArtFolder& art) : art(&art), frame(std::size_t(kWidth) * kHeight * kCell * kCell * 4) {
    host.AllocGdiData(frame.data(), 0, 0, 0);
    host.SetSolvableShuffles(true);
  }
  void Deal() {
    ASSERT_EQ(host.SetGameParam(art->SetUp(kWidth, kHeight, 5, 6, kWidth * kCell, kHeight * kCell)), 0);
    ASSERT_EQ(host.InputEvent(ShuffleText(KAVELO_SHUFFLE_SPREAD)), 0);
  }
  int Click(int x, int y) { return host.InputEvent(ClickText(x, y)); }
  int LastMiss() { return host.InputEvent(EventText(KAVELO_QUERY_LAST_MISS)); }
  // The tile grid, from the save.
  std::vector<unsigned char> Tiles() const {
    std::vector<unsigned char> bytes;
    host.SaveGame(bytes);
    return {bytes.begin() + 77, bytes.begin() + 77 + kWidth * kHeight};
  }
  const ArtFolder* art;
  std::vector<char> frame;
  GameHost host;
};

TEST(RulesCommand, TakesTheFiveVariantsByNameAndRefusesAllElseKeepingTheSetting) {
  SteppedClock clock;
  const ArtFolder art(5, 3, kCell);
  Table t(art);
  struct Case {
    std::string pairs;
    int result;
    int gravity;  // what the next set-up takes
  } cases[] = {
      {"gravity,down;", KAVELO_PARAM_RULES, KAVELO_GRAVITY_DOWN},
      {"gravity,up;", KAVELO_PARAM_RULES, KAVELO_GRAVITY_UP},
      {"gravity,left;", KAVELO_PARAM_RULES, KAVELO_GRAVITY_LEFT},
      {"gravity,right;", KAVELO_PARAM_RULES, KAVELO_GRAVITY_RIGHT},
      {"gravity,Down;", -1, KAVELO_GRAVITY_RIGHT},
      {"gravity,;", -1, KAVELO_GRAVITY_RIGHT},
      {"gravity,sideways;", -1, KAVELO_GRAVITY_RIGHT},
      {"gravity,down ;", -1, KAVELO_GRAVITY_RIGHT},
      {"gravity,1;", -1, KAVELO_GRAVITY_RIGHT},
      {"", -1, KAVELO_GRAVITY_RIGHT},
      {"rules,down;", -1, KAVELO_GRAVITY_RIGHT},
      {"gravity,none;", KAVELO_PARAM_RULES, KAVELO_GRAVITY_NONE},
      {"gravity,noneX;", -1, KAVELO_GRAVITY_NONE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pairs);
    EXPECT_EQ(t.host.SetGameParam(RulesText(c.pairs)), c.result);  // no game set up yet
    EXPECT_EQ(t.host.Gravity(), c.gravity);
  }
  EXPECT_FALSE(t.host.SetGravity(KAVELO_GRAVITY_RIGHT + 1));
  EXPECT_FALSE(t.host.SetGravity(-1));
  EXPECT_EQ(t.host.Gravity(), KAVELO_GRAVITY_NONE);
}

TEST(RulesCommand, AVariantHoldsForEverySetUpAfterItAndTheBoardInPlayKeepsItsOwn) {
  SteppedClock clock;
  const ArtFolder art(5, 3, kCell);
  Table t(art);
  ASSERT_EQ(t.host.SetGameParam(RulesText("gravity,left;")), KAVELO_PARAM_RULES);
  t.Deal();
  EXPECT_EQ(t.host.Gravity(), KAVELO_GRAVITY_LEFT);
  ASSERT_EQ(t.host.SetGameParam(RulesText("gravity,up;")), KAVELO_PARAM_RULES);
  EXPECT_EQ(t.host.Gravity(), KAVELO_GRAVITY_LEFT);  // for the next set-up
  t.Deal();
  EXPECT_EQ(t.host.Gravity(), KAVELO_GRAVITY_UP);
  t.Deal();
  EXPECT_EQ(t.host.Gravity(), KAVELO_GRAVITY_UP);
}

TEST(RulesCommand, BoardsOfEachVariantFallAndTheSolversMovesClearThemByClicks) {
  SteppedClock clock;
  const ArtFolder art(5, 3, kCell);
  for (const char* name : {"none", "down", "up", "left", "right"}) {
    SCOPED_TRACE(name);
    Table t(art);
    ASSERT_EQ(t.host.SetGameParam(RulesText(std::string("gravity,") + name + ";")), KAVELO_PARAM_RULES);
    t.Deal();
    std::vector<KaveloMove> moves;
    ASSERT_EQ(t.host.Solve(moves, 60000), KaveloSolved);
    int result = -1;
    bool fell = false;
    for (const KaveloMove& m : moves) {
      const auto before = t.Tiles();
      ASSERT_EQ(t.Click(m.x1, m.y1), KAVELO_CLICK_CHOOSE);
      result = t.Click(m.x2, m.y2);
      ASSERT_TRUE(result == KAVELO_CLICK_CONNECT || result == KAVELO_CLICK_WIN);
      // A tile fell when a cell other than the pair's changed.
      const auto after = t.Tiles();
      for (int cell = 0; cell < kWidth * kHeight; ++cell) {
        const bool pairCell = cell == m.y1 * kWidth + m.x1 || cell == m.y2 * kWidth + m.x2;
        fell = fell || (!pairCell && before[cell] != after[cell]);
      }
    }
    EXPECT_EQ(result, KAVELO_CLICK_WIN);
    EXPECT_EQ(fell, std::string(name) != "none");
  }
}

TEST(RulesCommand, TheLastMissQuerySaysWhyThePairWasNotLinked) {
  SteppedClock clock;
  const ArtFolder art(5, 3, kCell);
  Table t(art);
  EXPECT_EQ(t.host.InputEvent(EventText(KAVELO_QUERY_LAST_MISS)), -1);  // no game
  ASSERT_EQ(t.host.SetGameParam(RulesText("gravity,down;")), KAVELO_PARAM_RULES);
  t.Deal();
  EXPECT_EQ(t.LastMiss(), KAVELO_MISS_NONE);
  // Two tiles of different kinds, found on the grid.
  const auto tiles = t.Tiles();
  int a = -1, b = -1;
  for (int i = 0; i < kWidth * kHeight && b < 0; ++i) {
    if (tiles[i] == 0) continue;
    if (a < 0) {
      a = i;
    } else if (tiles[i] != tiles[a]) {
      b = i;
    }
  }
  ASSERT_GE(b, 0);
  t.Click(a % kWidth, a / kWidth);
  EXPECT_EQ(t.Click(b % kWidth, b / kWidth), KAVELO_CLICK_WRONG);
  EXPECT_EQ(t.LastMiss(), KAVELO_MISS_KINDS);
  KaveloMove m{};
  ASSERT_TRUE(t.host.FindHint(m));
  t.Click(m.x1, m.y1);
  EXPECT_EQ(t.LastMiss(), KAVELO_MISS_KINDS);  // one click is no pair
  t.Click(m.x2, m.y2);
  EXPECT_EQ(t.LastMiss(), KAVELO_MISS_NONE);
}

TEST(RulesCommand, TheCInterfaceSetsAndReadsTheVariantAndRefusesUnknownOnes) {
  SteppedClock clock;
  const ArtFolder art(5, 3, kCell);
  KaveloGame* game = KaveloCreate(nullptr);
  ASSERT_NE(game, nullptr);
  struct Case {
    KaveloGame* game;
    int value;
    int result;
    int gravity;  // KaveloGravity(game) afterwards
  } cases[] = {
      {nullptr, KAVELO_GRAVITY_DOWN, -1, KAVELO_GRAVITY_NONE},
      {game, KAVELO_GRAVITY_DOWN, 0, KAVELO_GRAVITY_DOWN},
      {game, KAVELO_GRAVITY_RIGHT + 1, -1, KAVELO_GRAVITY_DOWN},
      {game, -1, -1, KAVELO_GRAVITY_DOWN},
      {game, 256 + KAVELO_GRAVITY_UP, -1, KAVELO_GRAVITY_DOWN},
      {game, KAVELO_GRAVITY_RIGHT, 0, KAVELO_GRAVITY_RIGHT},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(KaveloSetGravity(c.game, c.value), c.result);
    EXPECT_EQ(KaveloGravity(game), c.gravity);
  }
  EXPECT_EQ(KaveloGravity(nullptr), -1);
  std::vector<char> frame(std::size_t(kWidth) * kHeight * kCell * kCell * 4);
  KaveloAllocGdiData(game, frame.data(), 0, 0, 0);
  ASSERT_EQ(KaveloSetGameParam(game, art.SetUp(kWidth, kHeight, 5, 6, kWidth * kCell, kHeight * kCell).c_str()), 0);
  EXPECT_EQ(KaveloGravity(game), KAVELO_GRAVITY_RIGHT);
  EXPECT_EQ(KaveloSetGravity(game, KAVELO_GRAVITY_UP), 0);
  EXPECT_EQ(KaveloGravity(game), KAVELO_GRAVITY_RIGHT);  // the board in play keeps its own
  EXPECT_EQ(KaveloInputEventUtf8(game, "type,1024;"), KAVELO_MISS_NONE);
  KaveloDestroy(game);
}

}  // namespace
