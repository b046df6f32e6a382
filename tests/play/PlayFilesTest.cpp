// kavelo-play's files, driven through the session a window would drive, in folders of the
// test's own: the game kept across runs and the best times.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "FolderStore.h"
#include "GameKeeper.h"
#include "OptionCheck.h"
#include "PlaySession.h"
#include "TestArt.h"
#include "WholeFiles.h"

using namespace kavelo::play;
namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteText(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

class PlayFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    m_root = fs::temp_directory_path() / ("kavelo-play-files-" + std::to_string(std::random_device()()));
    fs::create_directories(m_root);
    store = FolderStore(StateFolder(), DataFolder());
    settings.artDir = kavelo::test::TestArtDir();
    settings.columns = 4, settings.rows = 2, settings.kinds = 2, settings.copies = 4, settings.seconds = 300;
  }
  void TearDown() override { fs::remove_all(m_root); }

  GameKeeper Keeper() {
    return GameKeeper(store, BoardOf(settings), [this](const std::string& w) { warnings.push_back(w); });
  }
  fs::path StateFolder() const { return m_root / "state" / "kavelo-play"; }
  fs::path DataFolder() const { return m_root / "data" / "kavelo-play"; }
  fs::path SavedGamePath() const { return StateFolder() / SavedGameName(BoardOf(settings)); }
  fs::path BestTimesPath() const { return DataFolder() / kBestTimesName; }
  // Plays the board clear through the session's clicks, along the solver's clearing.
  static void PlayToTheEnd(PlayHost& host, PlaySession& session) {
    std::vector<KaveloMove> moves;
    ASSERT_EQ(host.Solve(moves, 1000), KaveloSolved);
    for (const KaveloMove& m : moves) session.Click({m.x1, m.y1}), session.Click({m.x2, m.y2});
    ASSERT_EQ(host.GameOutcome(), Outcome::Won);
  }
  std::vector<fs::path> SetAside() const {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(StateFolder())) {
      if (entry.path().filename().string().find(".bad-") != std::string::npos) found.push_back(entry.path());
    }
    return found;
  }

  fs::path m_root;
  PlaySettings settings;
  FolderStore store{{}, {}};  // the test's folders, once SetUp has made them
  std::vector<std::string> warnings;
};

TEST_F(PlayFiles, AGameLeftByQuittingResumesPausedUnlessNewIsAsked) {
  GameStatus left{};
  {
    PlayHost host(settings);
    GameKeeper keeper = Keeper();
    PlaySession session(host, settings, keeper);
    ASSERT_TRUE(session.Start());
    session.Press(PlayKey::Hint);  // help, kept with the game
    KaveloMove m{};
    ASSERT_TRUE(host.FindHint(m));
    session.Click({m.x1, m.y1});
    session.Click({m.x2, m.y2});
    left = host.Status();
    ASSERT_EQ(left.pairs, 1);
    session.LoseFocus();  // closed while another window has the focus
    EXPECT_TRUE(session.Paused());
    session.Quit();
    EXPECT_TRUE(fs::exists(SavedGamePath()));
  }
  const struct Case {
    bool fresh;
    bool resumed;
  } cases[] = {{true, false}, {false, true}, {false, true}};  // --new leaves the saved game for the next start
  for (const Case& c : cases) {
    settings.fresh = c.fresh;
    PlayHost host(settings);
    GameKeeper keeper = Keeper();
    PlaySession session(host, settings, keeper);
    ASSERT_TRUE(session.Start());
    EXPECT_EQ(session.Paused(), c.resumed);
    EXPECT_EQ(session.HelpUsed(), c.resumed);
    EXPECT_EQ(host.Status().pairs, c.resumed ? left.pairs : 0);
    EXPECT_EQ(host.Status().tilesLeft, c.resumed ? left.tilesLeft : 8);
    EXPECT_EQ(session.Title().find("saved game resumed") != std::string::npos, c.resumed) << session.Title();
    session.Click({1, 1});  // while paused a click only resumes
    EXPECT_FALSE(session.Paused());
    EXPECT_EQ(host.Status().misses, left.misses);
  }
  EXPECT_TRUE(warnings.empty());
}

TEST_F(PlayFiles, ASavedGameThatCannotBeUsedIsSetAsideWithAMessage) {
  BoardOptions other = BoardOf(settings);
  other.seconds = 301;
  const std::string header = EncodeSavedGame({BoardOf(settings), false, {}});
  const struct Case {
    const char* name;
    std::string file;
    const char* why;
  } cases[] = {
      {"another program's file", "\x89PNG\r\n\x1a\n", "not a kavelo-play saved game"},
      {"a later version", "kavelo-play saved game 2\nboard 4 2 2 4 300\nhelp 0\n", "another version"},
      {"a damaged header", "kavelo-play saved game 1\nboard 4 2 two 4 300\nhelp 0\n", "damaged header"},
      {"another board's game", EncodeSavedGame({other, false, {1, 2, 3}}), "another board"},
      {"bytes the plug-in refuses", header + "not a game", "does not load"},
      {"an empty file", "", "not a kavelo-play saved game"},
  };
  GameKeeper keeper = Keeper();
  for (const Case& c : cases) {
    warnings.clear();
    WriteText(SavedGamePath(), c.file);
    PlayHost host(settings);
    PlaySession session(host, settings, keeper);
    ASSERT_TRUE(session.Start()) << c.name;
    EXPECT_FALSE(session.Paused()) << c.name;  // a new game instead
    EXPECT_FALSE(fs::exists(SavedGamePath())) << c.name;
    const std::vector<fs::path> aside = SetAside();
    ASSERT_EQ(aside.size(), 1u) << c.name;
    EXPECT_EQ(ReadText(aside[0]), c.file) << c.name;
    ASSERT_EQ(warnings.size(), 1u) << c.name;
    EXPECT_NE(warnings[0].find(c.why), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[0].find(".bad-"), std::string::npos) << warnings[0];
    fs::remove(aside[0]);
  }
}

TEST_F(PlayFiles, FoldersThatCannotBeWrittenCostAWarningNotTheGame) {
  // Under a regular file no folder can be made, even by root.
  WriteText(m_root / "blocked", "a file");
  FolderStore blocked(m_root / "blocked" / "state", m_root / "blocked" / "data");
  GameKeeper keeper(blocked, BoardOf(settings), [this](const std::string& w) { warnings.push_back(w); });
  PlayHost host(settings);
  PlaySession session(host, settings, keeper);
  ASSERT_TRUE(session.Start());
  EXPECT_TRUE(warnings.empty());  // nothing saved is nothing to read
  session.Quit();
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_NE(warnings[0].find("not saved"), std::string::npos) << warnings[0];
  session.Press(PlayKey::NewGame);
  PlayToTheEnd(host, session);
  EXPECT_EQ(session.WinWords().rfind("won in ", 0), 0u) << session.WinWords();
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_NE(warnings[1].find("not kept"), std::string::npos) << warnings[1];
}

TEST_F(PlayFiles, OnlyWinsWithoutHelpAreRankedAndTheTableIsReplacedWhole) {
  GameKeeper keeper = Keeper();
  const struct Case {
    PlayKey help;          // pressed before the first move
    const char* words;     // how the title's words begin
    std::size_t entries;   // lines of the table after the win
  } cases[] = {
      {PlayKey::Hint, "won with help in ", 0},
      {PlayKey::Shuffle, "won in ", 1},  // shuffles are part of the game
      {PlayKey::None, "won in ", 2},
  };
  for (const Case& c : cases) {
    PlayHost host(settings);
    PlaySession session(host, settings, keeper);
    ASSERT_TRUE(session.Start());
    session.Press(c.help);
    PlayToTheEnd(host, session);
    EXPECT_EQ(session.WinWords().rfind(c.words, 0), 0u) << session.WinWords();
    std::string text;
    std::string error;
    ReadWholeFile(BestTimesPath(), 1 << 20, text, error);
    EXPECT_EQ(ParseBestTimes(text).size(), c.entries);
    EXPECT_FALSE(fs::exists(SavedGamePath()));  // a finished game leaves none
  }
  // An undo counts as help, and the saved game keeps it.
  {
    PlayHost host(settings);
    PlaySession session(host, settings, keeper);
    ASSERT_TRUE(session.Start());
    KaveloMove m{};
    ASSERT_TRUE(host.FindHint(m));
    session.Click({m.x1, m.y1}), session.Click({m.x2, m.y2});
    session.Press(PlayKey::Undo);
    EXPECT_TRUE(session.HelpUsed());
  }
  // A table that cannot be replaced stays as it was.
  const std::string before = ReadText(BestTimesPath());
  fs::path blocker = BestTimesPath();
  blocker += ".new";
  fs::create_directories(blocker / "in-the-way");
  PlayHost host(settings);
  PlaySession session(host, settings, keeper);
  ASSERT_TRUE(session.Start());
  warnings.clear();
  PlayToTheEnd(host, session);
  EXPECT_EQ(ReadText(BestTimesPath()), before);
  EXPECT_EQ(warnings.size(), 1u);
  EXPECT_EQ(session.WinWords().rfind("won in ", 0), 0u) << session.WinWords();
}

TEST(BestTimes, EachBoardKeepsItsFiveBestInOrderTiesAfterTheOlder) {
  const BoardOptions board{16, 10, 36, 4, 480, 0}, other{6, 4, 6, 4, 60, 0}, falling{16, 10, 36, 4, 480, 1};
  BestTimes table;
  EXPECT_EQ(EnterBestTime(table, {other, 50, "2025-01-01"}), 1);
  EXPECT_EQ(EnterBestTime(table, {falling, 300, "2025-01-02"}), 1);  // the same board with tiles that fall
  const struct Case {
    int seconds;
    int rank;
  } wins[] = {{100, 1}, {90, 1}, {120, 3}, {90, 2}, {80, 1}, {200, 0}, {70, 1}, {130, 0}, {95, 5}};
  int day = 0;
  for (const Case& w : wins) {
    ++day;
    std::string date = "2025-02-0";  // wins[] holds nine
    date += std::to_string(day);
    EXPECT_EQ(EnterBestTime(table, {board, w.seconds, date}), w.rank) << w.seconds;
  }
  std::vector<int> kept;
  for (const BestTime& t : BoardTimes(table, board)) kept.push_back(t.seconds);
  EXPECT_EQ(kept, (std::vector<int>{70, 80, 90, 90, 95}));
  EXPECT_EQ(BoardTimes(table, board)[2].date, "2025-02-02");  // the older of the tied 90s first
  EXPECT_EQ(BoardTimes(table, other).size(), 1u);
  EXPECT_EQ(BoardTimes(table, falling).size(), 1u);
  EXPECT_EQ(WinText(105, 2, BoardTimes(table, board)), "won in 1:45, 2nd best; best 1:10");
  EXPECT_EQ(WinText(70, 1, BoardTimes(table, board)), "won in 1:10, the best time");

  // The file reads back to the same table; lines that are no win are left out.
  const std::string text = FormatBestTimes(table);
  EXPECT_EQ(ParseBestTimes(text), table);
  const std::string damaged = text + "16 10 36 4 480 60\n" + "16 10 36 4 480 x 2025-01-01\n" +
                              "16 10 36 4 480 500 2025-01-01\n" + "16 10 36 4 480 -5 2025-01-01\n" +
                              std::string("\0\xff\n", 3) + "16 10 36 4 480 65 2025-1-01\n" +
                              "16 10 36 4 480 66 2025-03-01 extra\n" + "16 10 36 4 480 64 2025-03-01 none\n" +
                              "16 10 36 4 480 65 2025-03-01\r\n";
  BestTimes read = ParseBestTimes(damaged);
  EXPECT_EQ(BoardTimes(read, board).front().seconds, 65);
  EXPECT_EQ(BoardTimes(read, board).size(), 5u);
  EXPECT_EQ(read.size(), table.size());
}

TEST(OptionCheck, OptionsTheArtworkOrTheBoardCannotHonourAreRefusedWithTheReason) {
  const struct Case {
    std::vector<std::string> args;
    const char* why;  // empty: playable
  } cases[] = {
      {{}, ""},
      {{"--kinds", "42", "--copies", "2"}, ""},
      {{"--kinds", "43"}, "the artwork has 42 tile pictures"},
      {{"--kinds", "42"}, "168 tiles do not fit 160 cells"},
      {{"--columns", "3", "--rows", "3", "--kinds", "5", "--copies", "2"}, "10 tiles do not fit 9 cells"},
      {{"--art", "/no/such/folder"}, "no tile pictures"},
  };
  for (const Case& c : cases) {
    std::string error;
    const auto settings = ParseSettings(c.args, kavelo::test::TestArtDir(), error);
    ASSERT_TRUE(settings) << error;
    const std::string refused = RefusedOptions(*settings);
    EXPECT_EQ(refused.empty(), c.why[0] == '\0') << refused;
    EXPECT_NE(refused.find(c.why), std::string::npos) << refused;
  }
}

}  // namespace
