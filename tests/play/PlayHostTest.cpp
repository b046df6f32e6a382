#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>
#include <tuple>

#include "sdl/DisplayChoice.h"
#include "HeadlessPlay.h"
#include "PlayHost.h"
#include "PlaySettings.h"
#include "UserFolders.h"

using namespace kavelo::play;

TEST(MouseToCell, PixelsMapToCellsByFloorDivisionFromTheOrigin) {
  struct Case {
    int px, py;
    int x, y;
  } cases[] = {
      {10, 32, 0, 0},      // the origin's own pixel
      {57, 79, 0, 0},      // the last pixel of cell (0, 0)
      {58, 80, 1, 1},
      {9, 31, -1, -1},     // left of and above the board: outside the grid
      {10 + 18 * 48 - 1, 32 + 12 * 48 - 1, 17, 11},  // the far corner cell of an 18 x 12 grid
  };
  for (const Case& c : cases) {
    const Cell cell = MouseToCell(c.px, c.py, 10, 32, 48, 48);
    EXPECT_EQ(cell.x, c.x) << c.px;
    EXPECT_EQ(cell.y, c.y) << c.py;
  }
  const Cell none = MouseToCell(5, 5, 0, 0, 0, 48);  // no cell size before a set-up
  EXPECT_EQ(none.x, -1);
}

TEST(PlaySettings, OptionsAreReadAndBadOnesRefused) {
  std::string error;
  const auto defaults = ParseSettings({}, "/art", error);
  ASSERT_TRUE(defaults);
  EXPECT_EQ(defaults->artDir, "/art");
  EXPECT_GE(defaults->columns * defaults->rows, defaults->kinds * defaults->copies);  // every tile is dealt
  EXPECT_TRUE(defaults->copies % 2 == 0 && !defaults->anyShuffle && !defaults->window);

  const auto s = ParseSettings({"--columns", "6", "--rows", "4", "--headless", "--fast", "--out", "/tmp/x",
                                "--art", "/a", "--seconds", "30", "--any-shuffle", "--kinds", "3"}, "/art", error);
  ASSERT_TRUE(s);
  EXPECT_EQ(std::tuple(s->columns, s->rows, s->kinds, s->seconds, s->outDir, s->artDir),
            std::tuple(6, 4, 3, 30, "/tmp/x", "/a"));
  EXPECT_TRUE(s->headless && s->fast && s->anyShuffle);
  EXPECT_TRUE(ParseSettings({"--window"}, "/art", error)->window);
  for (std::vector<std::string> bad : {std::vector<std::string>{"--columns", "254"}, {"--rows", "0"}, {"--kinds", "x"},
                                       {"--copies"}, {"--seconds", "12s"}, {"--frobnicate"},
                                       {"--window", "--headless"}}) {
    EXPECT_FALSE(ParseSettings(bad, "/art", error)) << bad[0];
    EXPECT_NE(error.find("usage"), std::string::npos);
  }
}

TEST(DisplayChoice, DriversThatShowNothingCountOnlyWhenTheUserNamedThem) {
  using enum DisplayRequest;
  using enum DisplayMode;
  const struct Case { DisplayRequest request; const char* picked; const char* named; DisplayMode mode; } cases[] = {
      {kAny, "x11", "", kWindow},
      {kAny, "wayland", "x11,wayland", kWindow},
      {kAny, "offscreen", "", kHeadless},             // SDL's last resort without a display
      {kAny, "", "", kHeadless},                      // no video at all
      {kAny, "Dummy", "wayland", kHeadless},
      {kAny, "evdev", "", kHeadless},
      {kAny, "offscreen", "x11,OFFSCREEN", kWindow},  // asked for by name, in any case
      {kAny, "offscreen", "offscreenx,offscree", kHeadless},  // a name matches whole
      {kForceWindow, "x11", "", kWindow},
      {kForceWindow, "offscreen", "", kNoWindow},
      {kForceWindow, "", "x11", kNoWindow},
      {kForceWindow, "dummy", "dummy", kWindow},
      {kForceHeadless, "x11", "", kHeadless},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseDisplay(c.request, c.picked, c.named), c.mode) << c.picked << " named " << c.named;
  }
}

TEST(HeadlessPlay, ASmallGamePlaysToItsEndWithAConsistentSummary) {
  const auto out = std::filesystem::temp_directory_path() / ("kavelo-play-" + std::to_string(std::random_device()()));
  PlaySettings settings;
  settings.artDir = KAVELO_ART_DIR;
  settings.columns = 6, settings.rows = 4, settings.kinds = 6, settings.copies = 4;
  settings.seconds = 60, settings.snapshotEvery = 2;
  settings.fast = true;
  settings.outDir = out.string();
  const HeadlessSummary summary = PlayHeadless(settings);
  ASSERT_FALSE(summary.setUpFailed);
  EXPECT_TRUE(summary.won) << SummaryLine(summary);
  EXPECT_EQ(summary.shuffles, 0);  // dealt clearable and played along the solver's clearing
  EXPECT_EQ(summary.pairs, 12);
  EXPECT_EQ(summary.score, summary.pairs * settings.scoreStep);
  EXPECT_GT(summary.seconds, 0);
  EXPECT_LE(summary.seconds, settings.seconds);
  EXPECT_EQ(SummaryLine(summary).rfind("won ", 0), 0u);
  EXPECT_TRUE(std::filesystem::exists(out / "first.png"));
  EXPECT_TRUE(std::filesystem::exists(out / "last.png"));
  EXPECT_GE(summary.snapshots, 3);  // first, at least one every two seconds, last
  std::filesystem::remove_all(out);
}

TEST(HeadlessPlay, AGameThatCannotBeClearedIsLostOnTime) {
  PlaySettings settings;
  settings.artDir = KAVELO_ART_DIR;
  settings.columns = 3, settings.rows = 3, settings.kinds = 3, settings.copies = 3;  // odd copies
  settings.seconds = 5;
  settings.fast = true;
  const HeadlessSummary summary = PlayHeadless(settings);
  ASSERT_FALSE(summary.setUpFailed);
  EXPECT_FALSE(summary.won);
  EXPECT_EQ(summary.seconds, 5);
  EXPECT_EQ(summary.pairs, 3);
  EXPECT_GT(summary.shuffles, 0);
  EXPECT_EQ(SummaryLine(summary).rfind("lost ", 0), 0u);
}

TEST(HeadlessPlay, MissingArtworkFailsTheSetUp) {
  PlaySettings settings;
  settings.artDir = "/no/such/folder";
  settings.fast = true;
  EXPECT_TRUE(PlayHeadless(settings).setUpFailed);
}

TEST(UserFolders, TheXdgFoldersWhenSetToAnAbsolutePathElseUnderHome) {
  const struct Case {
    const char* state;  // XDG_STATE_HOME, null when unset
    const char* home;
    const char* folder;
  } cases[] = {
      {"/x/state", "/home/p", "/x/state/kavelo-play"},
      {"relative/state", "/home/p", "/home/p/.local/state/kavelo-play"},  // only absolute paths count
      {nullptr, "/home/p", "/home/p/.local/state/kavelo-play"},
      {nullptr, "", ""},                                                 // no place named: nothing kept
  };
  for (const Case& c : cases) {
    c.state ? setenv("XDG_STATE_HOME", c.state, 1) : unsetenv("XDG_STATE_HOME");
    setenv("HOME", c.home, 1);
    EXPECT_EQ(StateFolder(), std::filesystem::path(c.folder)) << (c.state ? c.state : "unset");
  }
}
