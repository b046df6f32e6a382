// The pictures kavelo-play draws at start-up: for any cell from 24 to 128 pixels and either
// style, the plug-in takes them and a game plays to the win at that size.
#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "HeadlessPlay.h"
#include "PlayHost.h"
#include "PlaySettings.h"
#include "DrawnArt.h"

using namespace kavelo::play;

namespace {

PlaySettings SmallGame() {
  PlaySettings settings;
  settings.artDir = KAVELO_ART_DIR;
  settings.columns = 6, settings.rows = 4, settings.kinds = 6, settings.copies = 4;
  settings.seconds = 60, settings.fast = true;
  return settings;
}

struct DrawnCase {
  int cell;
  bool contrast;
};

class DrawnArtAtCell : public ::testing::TestWithParam<DrawnCase> {};

TEST_P(DrawnArtAtCell, ThePluginTakesThePicturesAndAGameIsWonAtThatSize) {
  PlaySettings settings = SmallGame();
  settings.cell = GetParam().cell;
  settings.contrast = GetParam().contrast;
  std::string pictureDir;
  {
    DrawnArt art;
    std::string warning;
    art.Prepare(settings, warning);
    EXPECT_EQ(warning, "");
    pictureDir = settings.pictureDir;
    ASSERT_EQ(pictureDir.empty(), settings.cell == kArtCell && !settings.contrast);
    PlayHost host(settings);
    ASSERT_TRUE(host.NewGame(std::nullopt));
    EXPECT_EQ(std::tuple(host.CellWidth(), host.CellHeight()), std::tuple(settings.cell, settings.cell));
    EXPECT_EQ(host.FrameWidth(), 8 * settings.cell);
    EXPECT_EQ(host.CellBox({1, 1}).top, host.BoardTop() + settings.cell);
    const HeadlessSummary summary = PlayHeadless(settings);
    ASSERT_FALSE(summary.setUpFailed);
    EXPECT_TRUE(summary.won) << SummaryLine(summary);
    EXPECT_EQ(summary.pairs, 12);
  }
  if (!pictureDir.empty()) {
    EXPECT_FALSE(std::filesystem::exists(pictureDir));  // gone with the object
  }
}

INSTANTIATE_TEST_SUITE_P(Cells, DrawnArtAtCell,
                         ::testing::Values(DrawnCase{24, false}, DrawnCase{48, false}, DrawnCase{48, true},
                                           DrawnCase{96, false}, DrawnCase{128, true}),
                         [](const auto& info) {
                           return std::to_string(info.param.cell) + (info.param.contrast ? "Contrast" : "Standard");
                         });

TEST(DrawnArt, AFolderThatCannotBeWrittenFallsBackToTheInstalledArt) {
  PlaySettings settings = SmallGame();
  settings.cell = 96;
  const char* old = std::getenv("TMPDIR");
  const std::string kept = old ? old : "";
  setenv("TMPDIR", "/proc/kavelo-cannot-be-made", 1);
  DrawnArt art;
  std::string warning;
  art.Prepare(settings, warning);
  old ? setenv("TMPDIR", kept.c_str(), 1) : unsetenv("TMPDIR");
  EXPECT_NE(warning.find("installed art"), std::string::npos) << warning;
  EXPECT_EQ(std::tuple(settings.pictureDir, settings.cell), std::tuple("", 0));
  PlayHost host(settings);
  ASSERT_TRUE(host.NewGame(std::nullopt));
  EXPECT_EQ(host.CellWidth(), kArtCell);
}

TEST(PlaySettings, TheStyleAndTheCellAreReadAndBadOnesRefused) {
  std::string error;
  const auto s = ParseSettings({"--style", "contrast", "--cell", "96"}, "/art", error);
  ASSERT_TRUE(s);
  EXPECT_EQ(std::tuple(s->contrast, s->cell), std::tuple(true, 96));
  EXPECT_FALSE(ParseSettings({"--style", "standard"}, "/art", error)->contrast);
  EXPECT_EQ(ParseSettings({}, "/art", error)->cell, 0);
  for (std::vector<std::string> bad : {std::vector<std::string>{"--style", "bold"}, {"--style"}, {"--cell", "23"},
                                       {"--cell", "257"}}) {
    EXPECT_FALSE(ParseSettings(bad, "/art", error)) << bad[0];
    EXPECT_NE(error.find("usage"), std::string::npos);
  }
}

}  // namespace
