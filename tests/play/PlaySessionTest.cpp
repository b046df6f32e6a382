// The play core as every front end drives it: keys, buttons and clicks, pausing, the
// marks and banners painted into the frame, the words, and the page's address options.
// The player's records live in memory here; PlayFilesTest keeps them in files.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
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

constexpr std::int64_t kNoon20261208 = 1796731200;  // 2026-12-08 12:00 UTC

// The clock at `*now` and fresh deals numbered from 1001 on.
PlaySources FixedSources(const std::int64_t* now) {
  auto next = std::make_shared<std::uint64_t>(1000);
  return {[now] { return *now; }, [next] { return ++*next; }};
}

// A game as a front end holds one: the host, the player's records and the session.
struct Game {
  explicit Game(const PlaySettings& s, MemoryStore* shared = nullptr)
      : settings(s), host(s), keeper(shared ? *shared : store, BoardOf(s), Warnings()),
        session(host, s, keeper, FixedSources(&now)) {
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

  // The tile grid of the board in play, from its save.
  std::vector<unsigned char> Board() {
    std::vector<unsigned char> saved;
    host.SaveGame(saved);
    const std::size_t cells = std::size_t(host.GridColumns()) * host.GridRows();
    return saved.size() >= 77 + cells ? std::vector<unsigned char>(saved.begin() + 77, saved.begin() + 77 + cells)
                                      : saved;
  }
  void Win() {
    std::vector<KaveloMove> moves;
    ASSERT_EQ(host.Solve(moves, 5000), KaveloSolved);
    for (const KaveloMove& m : moves) ClickPair(m);
  }

  std::int64_t now = kNoon20261208;
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
  EXPECT_EQ(g.session.Title().rfind("kavelo-play  -  deal 1001  -  score 0  pairs 0  misses 0  0:59 left", 0), 0u)
      << g.session.Title();
}

TEST(PlaySession, NumberedDealsReplayAndANewGameDrawsAFreshNumber) {
  PlaySettings s = SmallBoard();
  s.deal = 48213;
  Game g(s);
  const std::vector<unsigned char> dealt = g.Board();
  KaveloMove hinted{};
  const struct Step {
    const char* what;
    std::function<void()> act;
    const char* words;       // the status words begin so
    std::uint64_t number;    // the plug-in's number of the board in play
    bool dealtBoard;         // the board is deal 48213 as it was dealt
  } steps[] = {
      {"--deal deals its number", [] {}, "deal 48213  score 0", 48213, true},
      {"a pair goes", [&] {
         ASSERT_TRUE(g.host.FindHint(hinted));
         g.ClickPair(hinted);
       }, "deal 48213  score 10  pairs 1", 48213, false},
      {"the replay button deals it again from the start", [&] { g.session.Press(KeyNamed("replay")); },
       "deal 48213  score 0  pairs 0", 48213, true},
      {"a new game draws a fresh number", [&] { g.session.Press(PlayKey::NewGame); }, "deal 1001  score 0", 1001, false},
      {"the day's deal wants the default board", [&] { g.session.Press(KeyNamed("daily")); },
       "deal 1001  score 0  pairs 0  misses 0  -  the day's deal is played on the default board", 1001, false},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(g.session.StatusWords().rfind(step.words, 0), 0u) << step.what << ": " << g.session.StatusWords();
    EXPECT_EQ(g.host.DealNumber(), step.number) << step.what;
    EXPECT_EQ(g.Board() == dealt, step.dealtBoard) << step.what;
  }
  EXPECT_EQ(g.session.Address(), "columns=6&rows=4&kinds=6&seconds=300&deal=1001");
}

// Under a rule variant the words say it, a pair that fails says why, and the address and
// the records name the variant.
TEST(PlaySession, TilesThatFallAreSaidAndAFailedPairSaysWhy) {
  PlaySettings s = SmallBoard(6, 4, 6, 4);
  s.gravity = GravityNamed("down");
  s.deal = 77;
  Game g(s);
  EXPECT_EQ(g.host.Gravity(), KAVELO_GRAVITY_DOWN);
  EXPECT_EQ(g.session.StatusWords().rfind("deal 77, tiles fall down  score 0", 0), 0u) << g.session.StatusWords();
  EXPECT_EQ(g.session.Address(), "columns=6&rows=4&kinds=6&seconds=300&gravity=down&deal=77");
  EXPECT_EQ(SavedGameName(BoardOf(s)), "game-6x4-k6-c4-s300-down");

  // Every pair of occupied cells once: two kinds, then one kind with no path, are said.
  const std::vector<unsigned char> board = g.Board();
  const int width = g.host.GridColumns();
  std::vector<std::string> said;
  for (std::size_t a = 0; a < board.size(); ++a) {
    for (std::size_t b = a + 1; b < board.size() && said.size() < 2; ++b) {
      if (board[a] == 0 || board[b] == 0) continue;
      const bool same = board[a] == board[b];
      if (said.size() == (same ? 1u : 0u) && (said.empty() || same)) {
        g.session.Click({int(a) % width, int(a) / width});
        g.session.Click({int(b) % width, int(b) / width});
        const std::string words = g.session.StatusWords();
        const std::size_t before = said.size();
        if (words.find("  -  not a pair") != std::string::npos) {
          said.push_back("kinds");
        } else if (words.find("  -  no path with two turns") != std::string::npos) {
          said.push_back("path");
        } else if (g.host.Status().pairs > 0) {
          g.session.Press(PlayKey::Undo);  // it linked: put it back
        }
        if (said.size() > before) {  // the two cells are crossed out for a second of frames
          g.Tick();
          g.session.ComposeFrame();
          EXPECT_EQ(g.session.Marks().misses.size(), 2u);
          for (int tick = 0; tick < 10; ++tick) g.Tick();
          g.session.ComposeFrame();
          EXPECT_TRUE(g.session.Marks().misses.empty());
        }
        g.session.Click({-1, -1});  // the next move: the reason goes
        EXPECT_EQ(g.session.StatusWords().find("  -  not"), std::string::npos) << g.session.StatusWords();
      }
    }
  }
  EXPECT_EQ(said, (std::vector<std::string>{"kinds", "path"}));

  // The day's deal is the default board's, by the game's own rules.
  PlaySettings falling;
  falling.artDir = kavelo::test::TestArtDir();
  falling.gravity = GravityNamed("down");
  Game daily(falling);
  daily.session.Press(PlayKey::Daily);
  EXPECT_EQ(daily.session.DealWords(), "daily 2026-12-08, tiles fall down");
}

// The day's deal on the default board, won day after day: the streak, the line to share,
// a win with help and a lost game, with the clock and the records handed in.
TEST(PlaySession, TheDailyDealKeepsAStreakOfWinsWithoutHelpAndGivesALineToShare) {
  MemoryStore records;
  PlaySettings daily;
  daily.artDir = kavelo::test::TestArtDir();
  daily.daily = true;
  const struct Day {
    int day;                 // of December 2026
    const char* play;        // "win", "help" (a hint, then the win), "lose"
    const char* winWords;    // the end of the win's words
    const char* share;
  } days[] = {
      {8, "win", "daily streak 1 day", "Kavelo daily 2026-12-08: cleared in 0:00, no help, 0 misses"},
      {8, "win", "daily streak 1 day", "Kavelo daily 2026-12-08: cleared in 0:00, no help, 0 misses"},  // again
      {9, "win", "daily streak 2 days", "Kavelo daily 2026-12-09: cleared in 0:00, no help, 0 misses"},
      {10, "help", "daily streak 2 days", ""},
      {11, "lose", "", ""},
      {12, "win", "daily streak 1 day", "Kavelo daily 2026-12-12: cleared in 0:00, no help, 0 misses"},  // after a gap
  };
  std::uint64_t yesterday = 0;
  for (const Day& d : days) {
    SCOPED_TRACE(std::to_string(d.day) + " " + d.play);
    daily.fresh = true;
    Game g(daily, &records);
    g.now = kNoon20261208 + (d.day - 8) * 86400;
    g.session.Press(PlayKey::Daily);  // today's deal, as --daily gave at the start
    const std::string date = "2026-12-" + std::to_string(d.day).insert(0, d.day < 10 ? "0" : "");
    EXPECT_EQ(g.session.DealWords(), "daily " + date);
    EXPECT_EQ(g.session.Address(), "daily");
    const std::optional<std::uint64_t> number = g.host.DealNumber();
    EXPECT_EQ(number, DailyDealNumber({2026, 12, d.day}));
    if (d.day != 8) {
      EXPECT_NE(number, yesterday);
    }
    yesterday = number.value_or(0);
    if (std::string(d.play) == "lose") {
      g.host.InputEvent(L"type," KAVELO_TEXT(KAVELO_EVENT_TIME) L";time,100000;");
      EXPECT_EQ(g.BannerTitle(), "TIME IS UP");
    } else {
      if (std::string(d.play) == "help") g.session.Press(PlayKey::Hint);
      g.Win();
      EXPECT_EQ(g.BannerTitle(), "YOU WON!");
      const std::string& words = g.session.WinWords();
      EXPECT_EQ(words.substr(words.size() - std::strlen(d.winWords)), d.winWords) << words;
    }
    EXPECT_EQ(g.session.ShareLine(), d.share);
  }
}

TEST(DailyDeal, DatesInUtcAndTheirNumbersAreTheSameEverywhere) {
  const struct Case {
    std::int64_t unixSeconds;
    CivilDate date;
  } cases[] = {
      {0, {1970, 1, 1}},
      {-1, {1969, 12, 31}},
      {951782400, {2000, 2, 29}},
      {4107542400, {2100, 3, 1}},     // no 29 February in 2100
      {kNoon20261208 - 12 * 3600, {2026, 12, 8}},
      {kNoon20261208 + 12 * 3600 - 1, {2026, 12, 8}},
      {kNoon20261208 + 12 * 3600, {2026, 12, 9}},
      {253402300799, {9999, 12, 31}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UtcDate(c.unixSeconds), c.date) << c.unixSeconds;
    CivilDate read{};
    EXPECT_TRUE(ReadDate(DateText(c.date), read) && read == c.date) << DateText(c.date);
  }
  for (const char* wrong : {"2026-02-29", "2026-13-01", "2026-00-10", "2026-1-08", "2026-12-08x", "abcd-ef-gh"}) {
    CivilDate read{};
    EXPECT_FALSE(ReadDate(wrong, read)) << wrong;
  }
  // Every platform deals the same board on a day: its number is fixed.
  EXPECT_EQ(DailyDealNumber({2026, 12, 8}), 10588182693461681554u);
  EXPECT_NE(DailyDealNumber({2026, 12, 8}), DailyDealNumber({2026, 12, 9}));
}

TEST(DailyStreak, ARecordThatDoesNotReadSoIsNoStreak) {
  const struct Case {
    const char* text;
    int days;
  } cases[] = {
      {"2026-12-08 3\n", 3}, {"2026-12-08 3", 3}, {"2026-12-08 3\r\n", 3}, {"", 0}, {"2026-12-08", 0},
      {"2026-12-08 0", 0}, {"2026-12-08 -2", 0}, {"2026-12-08 3 more", 0}, {"2026-02-30 3", 0},
      {"2026-12-08 99999999999", 0}, {"2026-12-08  3", 0},
  };
  for (const Case& c : cases) {
    const DailyStreak streak = ParseDailyStreak(c.text);
    EXPECT_EQ(streak.days, c.days) << c.text;
    if (c.days > 0) {
      EXPECT_EQ(ParseDailyStreak(FormatDailyStreak(streak)), streak) << c.text;
    }
  }
  DailyStreak streak = ParseDailyStreak("2026-12-08 3");
  EnterDailyWin(streak, {2026, 12, 6});  // a clock set back keeps the streak
  EXPECT_EQ(StreakOn(streak, {2026, 12, 9}), 3);
  EXPECT_EQ(StreakOn(streak, {2026, 12, 10}), 0);
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
      {"?deal=48213", true, "", 16, 10},  // a named deal keeps its board on a phone
      {"?daily", true, "", 16, 10},
      {"?deal=18446744073709551616", false, "--deal takes a number from 0 to 18446744073709551615", 0, 0},
      {"?deal=-1", false, "--deal takes a number", 0, 0},
      {"?deal=12x", false, "--deal takes a number", 0, 0},
      {"?deal", false, "--deal takes a number", 0, 0},
      {"?daily&columns=8", false, "--daily plays the day's deal on the default board", 0, 0},
      {"?daily&deal=5", false, "--daily plays the day's deal on the default board", 0, 0},
      {"?daily=1", false, "unknown option ?daily=1", 0, 0},
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
