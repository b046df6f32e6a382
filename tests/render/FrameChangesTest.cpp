// A long random game drawn by two renderers over one board: the one under test keeps its
// frame between ticks and composes only what changed, the other is made to compose every
// frame whole. After every tick both have delivered the same bytes, and a host that keeps
// its own copy of the frame, taking only the rows the renderer says changed, has it too.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "logic/KaveloInternal.h"
#include "render/KaveloFigure.h"
#include "tests/support/ScratchFolder.h"
#include "tests/support/TestFiles.h"

using namespace kavelo::test;

namespace {

constexpr int kFrameWidth = 60, kFrameHeight = 40;
constexpr int kKinds = 6, kTrailFrames = 4;

enum Action { Nothing, ClickPair, ClickAnywhere, Shuffle, Undo, Redo, Seconds, TimeLimit, NewMark, NewBar,
              SetUpAgain, NewBuffer, HostDraws, FrameWritten, Hide, kActions };
constexpr const char* kNames[] = {"nothing", "a pair clicked", "a click", "a shuffle", "undo", "redo",
                                  "seconds", "a time limit", "a mark", "a time bar", "a set-up",
                                  "a new buffer", "the host drew", "the frame written", "board hidden or shown"};
// How often each action comes, out of their sum.
constexpr int kWeights[] = {30, 12, 18, 4, 4, 4, 8, 2, 2, 2, 1, 2, 3, 2, 2};

// Pictures with some pure black, distinct by `id`, so any misplaced pixel shows.
void WritePicture(const std::string& path, int width, int height, int id) {
  TestPicture picture{width, height, {}};
  for (int i = 0; i < width * height; ++i) {
    const int x = i % width, y = i / width;
    const bool black = (x + 2 * y + id) % 5 == 0;
    picture.pixels.push_back(black ? Rgba{0, 0, 0, 255}
                                   : Rgba{std::uint8_t(id * 20), std::uint8_t(x * 9 + 1), std::uint8_t(y * 9), 255});
  }
  ASSERT_TRUE(WriteFile(path, Encode(picture, Format::kPng)));
}

class Game {
 public:
  Game() {
    // Cells of 6 x 5 (the trail frames are loaded last); tiles of that size, smaller and
    // larger; an "alt" series whose sixth member is missing; marks and bars of two sizes.
    const int tiles[][2] = {{6, 5}, {6, 5}, {4, 3}, {6, 5}, {8, 7}, {6, 5}};
    for (int n = 1; n <= kKinds; ++n) {
      WritePicture(Path("tile") + std::to_string(n) + ".png", tiles[n - 1][0], tiles[n - 1][1], n);
      if (n < kKinds) WritePicture(Path("alt") + std::to_string(n) + ".png", 6, 5, 20 + n);
    }
    for (int n = 1; n <= kTrailFrames; ++n) WritePicture(Path("trail") + std::to_string(n) + ".png", 6, 5, 6 + n);
    WritePicture(Path("mark0.png"), 6, 5, 11);
    WritePicture(Path("mark1.png"), 6, 5, 12);
    WritePicture(Path("mark2.png"), 7, 6, 13);
    WritePicture(Path("bar0.png"), 40, 4, 9);
    WritePicture(Path("bar1.png"), 25, 3, 10);
    board.SetClocks({[] { return 77u; }, [] { return 1234u; }});
    board.SetTrailFrames(kTrailFrames);
    board.SetTimeLimit(60);
  }

  std::string Path(const std::string& name) const { return scratch.Path(name); }

  // The board dealt and spread, then both renderers set up on it: the board from column -3,
  // wider and taller than the frame.
  void SetUp(std::mt19937& random) {
    const int sides[][2] = {{12, 9}, {8, 6}, {12, 9}};
    const auto& side = sides[random() % 3];
    ASSERT_TRUE(board.InitBoard(side[0], side[1], kKinds, 12));
    board.Shuffle(ShuffleSpread);
    const std::string icons = Path(random() % 2 ? "tile" : "alt");
    // Now and then the pictures are loaded again onto the frame as it is.
    const bool newScreen = figure.m_frame.Empty() || random() % 2;
    for (KaveloFigure* f : {&figure, &reference}) {
      if (newScreen) {
        ASSERT_TRUE(f->SetScreen(kFrameWidth, kFrameHeight, -3, 2, 32));
      }
      f->LoadIcons(kKinds, icons.c_str(), ".png");
      ASSERT_TRUE(f->LoadAnimation(kTrailFrames, Path("trail").c_str(), ".png"));
    }
  }

  void Apply(Action action, std::mt19937& random) {
    int result = 0;
    kavelo::logic::CellPair pair;
    const int w = board.Width(), h = board.Height();
    switch (action) {
      case Nothing: break;
      case ClickPair:
        if (!board.FindHint(pair)) break;
        board.ClickCell(pair.a % w, pair.a / w, result);
        board.ClickCell(pair.b % w, pair.b / w, result);
        connects += result == Connect || result == Win;
        break;
      case ClickAnywhere: board.ClickCell(int(random() % (w + 2)) - 1, int(random() % (h + 2)) - 1, result); break;
      case Shuffle: board.Shuffle(static_cast<std::uint8_t>(random() % 6)); break;
      case Undo: board.Undo(); break;
      case Redo: board.Redo(); break;
      case Seconds: board.AddSeconds(random() % 6); break;
      case TimeLimit: board.SetTimeLimit(std::vector<std::uint32_t>{0, 5, 7, 30, 60}[random() % 5]); break;
      case NewMark: {  // two between ticks: a picture may take the place of the one before the last
        std::vector<std::string> marks;
        for (int count = 0; count < 2; ++count) marks.push_back(Path("mark" + std::to_string(random() % 3) + ".png"));
        for (KaveloFigure* f : {&figure, &reference}) {
          for (const std::string& mark : marks) f->LoadChoose(mark.c_str());
        }
        break;
      }
      case NewBar: {
        const std::string bar = Path("bar" + std::to_string(random() % 2) + ".png");
        const int places[][2] = {{5, 20}, {-10, 0}, {30, 38}};
        const auto& at = places[random() % 3];
        for (KaveloFigure* f : {&figure, &reference}) f->LoadTimeBar(bar.c_str(), at[0], at[1]);
        break;
      }
      case SetUpAgain: SetUp(random); break;
      case NewBuffer: host = 1 - host; break;
      case HostDraws: std::fill(hosts[host].begin(), hosts[host].end(), char(0x5A)); break;
      case FrameWritten:
        figure.m_frame.FillOnes(random() % kFrameWidth, random() % kFrameHeight, 9, 9);
        figure.m_frame.Row(random() % kFrameHeight)[random() % (kFrameWidth * 4)] ^= 0x21;
        break;
      case Hide:  // as a pause does: the next frames show the time bar alone
        hidden = !hidden;
        figure.SetBoardHidden(hidden);
        reference.SetBoardHidden(hidden);
        break;
      case kActions: break;
    }
  }

  // One tick of each renderer, then of the trail; whether they delivered the same frame.
  bool TickMatches() {
    EXPECT_TRUE(figure.Draw(hosts[host].data()));
    reference.ForgetDrawn();
    EXPECT_TRUE(reference.Draw(expected.data()));
    marked += board.SelX() != -1;
    board.AdvanceTrail();
    const auto band = figure.ChangedRows();
    const std::size_t row = kFrameWidth * 4;
    std::copy(hosts[host].begin() + band.top * row, hosts[host].begin() + band.bottom * row, kept.begin() + band.top * row);
    partial += band.bottom - band.top < kFrameHeight;
    return hosts[host] == expected && kept == expected;
  }

  bool hidden = false;
  const ScratchFolder scratch{"frame-changes"};
  CKaveloInternal board;
  KaveloFigure figure{&board};
  KaveloFigure reference{&board};
  std::vector<char> hosts[2] = {std::vector<char>(kFrameWidth * kFrameHeight * 4),
                                std::vector<char>(kFrameWidth * kFrameHeight * 4)};
  std::vector<char> expected = std::vector<char>(kFrameWidth * kFrameHeight * 4);
  std::vector<char> kept = expected;
  int host = 0;
  int partial = 0;   // ticks whose changed rows were not the whole frame
  int connects = 0;  // pairs removed by clicks
  int marked = 0;    // ticks with a tile selected
};

}  // namespace

TEST(FrameChanges, EveryTickDeliversWhatComposingTheWholeFrameWould) {
  std::mt19937 random(20240611);
  Game game;
  ASSERT_NO_FATAL_FAILURE(game.SetUp(random));
  std::discrete_distribution<int> actions(std::begin(kWeights), std::end(kWeights));
  for (int tick = 0; tick < 4000; ++tick) {
    Action action = static_cast<Action>(actions(random));
    if (game.board.TilesLeft() == 0) action = SetUpAgain;
    ASSERT_NO_FATAL_FAILURE(game.Apply(action, random));
    ASSERT_TRUE(game.TickMatches()) << "tick " << tick << ", after " << kNames[action];
  }
  // The game went far enough for the comparison to mean something.
  EXPECT_GT(game.connects, 200);
  EXPECT_GT(game.marked, 300);
  EXPECT_GT(game.partial, 1000);
}
