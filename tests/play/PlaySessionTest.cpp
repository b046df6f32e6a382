// The play core as every front end drives it: keys, buttons and clicks, pausing, the
// marks and banners painted into the frame, the words, and the page's address options.
// The player's records live in memory here; PlayFilesTest keeps them in files.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "MemoryStore.h"
#include "PlayAddress.h"
#include "PlaySession.h"
#include "TestArt.h"

using namespace kavelo::play;

namespace {

PlaySettings SmallBoard(int columns = 6, int rows = 4, int kinds = 6, int copies = 4) {
  PlaySettings s;
  s.artDir = kavelo::test::TestArtDir();
  s.columns = columns, s.rows = rows, s.kinds = kinds, s.copies = copies, s.seconds = 300;
  return s;
}

// A game as a front end holds one: the host, the player's records and the session.
struct Game {
  explicit Game(const PlaySettings& s) : settings(s), host(s), keeper(store, BoardOf(s), Warnings()), session(host, s, keeper) {
    EXPECT_TRUE(session.Start());
  }
  kavelo::play::Warn Warnings() {
    return [this](const std::string& w) { warnings.push_back(w); };
  }
  void Tick() { host.InputEvent(L"type," KAVELO_TEXT(KAVELO_EVENT_TICK) L";"); }
  void ClickPair(const KaveloMove& m) { session.Click({m.x1, m.y1}), session.Click({m.x2, m.y2}); }
  std::string BannerTitle() {
    Tick();
    session.ComposeFrame();
    return session.Marks().banner ? session.Marks().banner->title : "";
  }

  PlaySettings settings;
  PlayHost host;
  MemoryStore store;
  std::vector<std::string> warnings;
  GameKeeper keeper;
  PlaySession session;
};

TEST(PlaySession, TheKeysButtonsAndClicksPlayAsTheStatusAndMarksSay) {
  Game g(SmallBoard());
  KaveloMove hinted{};
  const struct Step {
    const char* what;
    std::function<void()> act;
    int pairs;
    bool paused, help;
    const char* banner;  // the banner's title after the step, empty for none
    const char* words;   // in the status words after the step
  } steps[] = {
      {"start", [] {}, 0, false, false, "", "score 0  pairs 0  misses 0"},
      {"the hint button marks a pair", [&] {
         EXPECT_EQ(KeyNamed("hint"), PlayKey::Hint);
         g.session.Press(KeyNamed("hint"));
         ASSERT_TRUE(g.session.HintedPair());
         hinted = *g.session.HintedPair();
       }, 0, false, true, "", "pairs 0"},
      {"clicks on the marked pair link it", [&] { g.ClickPair(hinted); }, 1, false, true, "", "score 10  pairs 1"},
      {"pause hides the board behind a banner", [&] { g.session.Press(KeyNamed("pause")); }, 1, true, true, "PAUSED",
       "paused"},
      {"a click while paused only goes on", [&] { g.session.Click({1, 1}); }, 1, false, true, "", "misses 0"},
      {"undo puts the pair back", [&] { g.session.Press(KeyNamed("undo")); }, 0, false, true, "", "pairs 0"},
      {"redo takes it again", [&] { g.session.Press(PlayKey::Redo); }, 1, false, true, "", "pairs 1"},
      {"sound off is said", [&] { g.session.Press(KeyNamed("sound")); }, 1, false, true, "", "sound off"},
      {"losing the focus pauses", [&] { g.session.LoseFocus(); }, 1, true, true, "PAUSED", "paused"},
      {"the keys go on", [&] { g.session.Press(PlayKey::Pause); }, 1, false, true, "", "pairs 1"},
      {"a new game forgets the help", [&] { g.session.Press(KeyNamed("new")); }, 0, false, false, "", "pairs 0"},
      {"an unknown button does nothing", [&] { EXPECT_EQ(KeyNamed("quit"), PlayKey::None); }, 0, false, false, "", ""},
  };
  for (const Step& s : steps) {
    s.act();
    EXPECT_EQ(g.host.Status().pairs, s.pairs) << s.what;
    EXPECT_EQ(g.session.Paused(), s.paused) << s.what;
    EXPECT_EQ(g.session.HelpUsed(), s.help) << s.what;
    EXPECT_EQ(g.BannerTitle(), s.banner) << s.what;
    EXPECT_NE(g.session.StatusWords().find(s.words), std::string::npos) << s.what << ": " << g.session.StatusWords();
  }
  EXPECT_TRUE(g.warnings.empty());
}

TEST(PlaySession, EveryEndingHasItsBannerAndWords) {
  const struct Case {
    const char* name;
    PlaySettings settings;
    std::function<void(Game&)> play;
    const char* banner;
    const char* words;
  } cases[] = {
      {"cleared", SmallBoard(), [](Game& g) {
         std::vector<KaveloMove> moves;
         ASSERT_EQ(g.host.Solve(moves, 1000), KaveloSolved);
         for (const KaveloMove& m : moves) g.ClickPair(m);
       }, "YOU WON!", "won in 0:00, the best time"},
      {"won with a hint", SmallBoard(), [](Game& g) {
         g.session.Press(PlayKey::Hint);
         std::vector<KaveloMove> moves;
         ASSERT_EQ(g.host.Solve(moves, 1000), KaveloSolved);
         for (const KaveloMove& m : moves) g.ClickPair(m);
       }, "YOU WON!", "won with help in 0:00"},
      {"time ran out", SmallBoard(), [](Game& g) { g.host.InputEvent(L"type," KAVELO_TEXT(KAVELO_EVENT_TIME) L";time,300;"); },
       "TIME IS UP", "time is up"},
      // Three kinds of one tile each: no pair to link.
      {"no pair left", SmallBoard(3, 1, 3, 1), [](Game& g) { g.session.Press(PlayKey::Hint); }, "NO MOVE LEFT",
       "no pair can be linked: S shuffles"},
  };
  for (const Case& c : cases) {
    Game g(c.settings);
    c.play(g);
    EXPECT_EQ(g.BannerTitle(), c.banner) << c.name;
    EXPECT_NE(g.session.StatusWords().find(c.words), std::string::npos) << c.name << ": " << g.session.StatusWords();
  }
}

TEST(PlaySession, TheTitleGivesTheTimeLeftAsMinutesAndSeconds) {
  PlaySettings s = SmallBoard();
  s.seconds = 125;
  Game g(s);
  EXPECT_EQ(g.session.ClockWords(), "2:05 left");
  g.host.InputEvent(L"type," KAVELO_TEXT(KAVELO_EVENT_TIME) L";time,66;");
  g.Tick();  // as the clock adds a second after a tick's frame
  EXPECT_EQ(g.session.Title().rfind("kavelo-play  -  score 0  pairs 0  misses 0  0:59 left", 0), 0u) << g.session.Title();
}

// Whatever the player does between frames, the frame composed from the changed rows alone
// is the frame painted afresh, and rows outside the band it reports did not change.
TEST(PlaySession, FramesComposedFromTheChangedRowsMatchAFreshPainting) {
  Game g(SmallBoard(8, 5, 10, 4));
  std::mt19937 random(20261208);
  const PlayKey keys[] = {PlayKey::Left, PlayKey::Right, PlayKey::Up, PlayKey::Down, PlayKey::Click, PlayKey::Hint,
                          PlayKey::Pause, PlayKey::Undo, PlayKey::Redo, PlayKey::Shuffle};
  std::vector<char> before;
  for (int step = 0; step < 300; ++step) {
    switch (random() % 4) {
      case 0: g.session.Press(keys[random() % std::size(keys)]); break;
      case 1: g.session.Click({static_cast<int>(random() % 10), static_cast<int>(random() % 7)}); break;
      default: break;
    }
    g.Tick();
    const RowBand band = g.session.ComposeFrame();
    std::vector<char> fresh = g.host.Frame();
    PaintMarks(fresh, g.host.FrameWidth(), g.host.FrameHeight(), g.session.Marks(), {0, g.host.FrameHeight()});
    ASSERT_EQ(g.session.ShownFrame(), fresh) << "step " << step;
    if (!before.empty()) {
      const std::size_t row = static_cast<std::size_t>(g.host.FrameWidth()) * 4;
      for (int y = 0; y < g.host.FrameHeight(); ++y) {
        if (y >= band.first && y < band.End()) continue;
        ASSERT_TRUE(std::equal(before.begin() + y * row, before.begin() + (y + 1) * row, fresh.begin() + y * row))
            << "row " << y << " changed outside the band at step " << step;
      }
    }
    before = fresh;
  }
}

TEST(PlayAddress, TheAddressTakesTheBoardOptionsAndRefusesAsTheCommandLineDoes) {
  const struct Case {
    const char* query;
    bool portrait;
    const char* refused;  // the start of the reason, empty when playable
    int columns, rows;
  } cases[] = {
      {"", false, "", 16, 10},
      {"?columns=8&rows=6&kinds=12&copies=4&seconds=90", false, "", 8, 6},
      {"", true, "", 10, 16},                          // a phone deals in portrait
      {"?columns=4&rows=9", true, "", 4, 9},           // already taller than wide
      {"?columns=300", false, "--columns takes a number from 1 to 253", 0, 0},
      {"?rows=", false, "--rows takes a number", 0, 0},
      {"?kinds=4%32", false, "--kinds takes a number", 0, 0},
      {"?art=/etc&columns=4", false, "unknown option ?art=/etc", 0, 0},
      {"?headless", false, "unknown option ?headless", 0, 0},
      {"?new&&columns=6", false, "", 6, 10},
  };
  for (const Case& c : cases) {
    std::string error;
    std::optional<PlaySettings> s = ParseSettings(AddressArguments(c.query), "/art", error);
    EXPECT_EQ(!s, c.refused[0] != '\0') << c.query << ": " << error;
    if (!s) {
      EXPECT_EQ(error.rfind(c.refused, 0), 0u) << c.query << ": " << error;
      continue;
    }
    FitBoardTo(*s, c.portrait);
    EXPECT_EQ(s->columns, c.columns) << c.query;
    EXPECT_EQ(s->rows, c.rows) << c.query;
  }
}

}  // namespace
