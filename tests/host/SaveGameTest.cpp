// Pausing, saving and loading, as a host sees them: a paused game stands still, a loaded
// game is the saved one, and a refused load leaves the game in play as it was.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

#include "GameHost.h"
#include "host/SaveEnvelope.h"

using namespace kavelo::test;

namespace {

struct Board {
  int w, h, kinds, copies, cell;
};
constexpr Board kSmall{6, 5, 3, 4, 8};
constexpr int kLimit = 60;
constexpr int kTrailFrames = 3;

// Where the saved fields lie: after the 16-byte envelope, the host's byte, then the
// board's size, kinds, copies, trail frames and clearable-shuffle setting (one byte each),
// the selection, misses and pairs (two bytes each), tiles left, score, score step, elapsed,
// limit and the two history counts (four each), whether the deal was numbered (one), its
// number and draws (eight each), the rule variant (one), the tile grid, the trail grid, the
// records (under gravity each with its fall).
enum Offset : std::size_t {
  kFlags = 16, kSolvable = 22, kSelX = 23, kSelY = 25, kPairs = 29, kTilesLeft = 31, kElapsed = 43,
  kUndoCount = 51, kNumbered = 59, kDealNumber = 60, kDrawn = 68, kVariant = 76, kTiles = 77,
};
constexpr std::size_t kPairBytes = 15;

using Bytes = std::vector<unsigned char>;

void Put16(Bytes& b, std::size_t at, int v) { b[at] = std::uint8_t(v), b[at + 1] = std::uint8_t(v >> 8); }
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
}
std::uint32_t Get32(const Bytes& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | b[at + i];
  return v;
}

// A host with its own buffer, set up with pictures, a time bar at the top left, a score
// step and (unless told otherwise) a compacting shuffle.
struct Player {
  Player(const ArtFolder& art, Board board) : board(board), frame(std::size_t(board.w) * board.h * board.cell * board.cell * 4) {
    host.AllocGdiData(frame.data(), 0, 0, 0);
    SetUp(art);
  }
  void SetUp(const ArtFolder& art, bool shuffle = true) {
    EXPECT_EQ(host.SetGameParam(art.SetUp(board.w, board.h, board.kinds, board.copies, board.w * board.cell,
                                          board.h * board.cell, kTrailFrames)),
              0);
    Command(CommandText(KAVELO_PARAM_SELECTION_PICTURE) + "choose," + art.Path("choose.bmp") + ";");
    Command(CommandText(KAVELO_PARAM_TIME_BAR) + "timeBar," + art.Path("timebar.bmp") + ";x,0;y,0;time," +
            std::to_string(kLimit) + ";");
    Command(CommandText(KAVELO_PARAM_SCORE_STEP) + "markAdd,5;");
    if (shuffle) host.InputEvent(ShuffleText(KAVELO_SHUFFLE_COMPACT));
  }
  void Command(const std::string& text) { EXPECT_GT(host.SetGameParam(W(text)), 0) << text; }
  int Click(int x, int y) { return host.InputEvent(ClickText(x, y)); }
  int Event(const std::wstring& text) { return host.InputEvent(text); }
  Bytes Save() const {
    Bytes bytes;
    host.SaveGame(bytes);
    return bytes;
  }
  // Links the pair the hint names; false when there is none.
  bool LinkHint() {
    KaveloMove m{};
    if (!host.FindHint(m)) return false;
    Click(m.x1, m.y1);
    const int result = Click(m.x2, m.y2);
    return result == KAVELO_CLICK_CONNECT || result == KAVELO_CLICK_WIN;
  }
  // Selects a hint's first tile and clicks the cells in turn until one counts a miss. A
  // click that links a pair is undone: removals could leave no pair to select from.
  void Miss() {
    KaveloMove m{};
    for (int cell = 0; cell < board.w * board.h && host.FindHint(m); ++cell) {
      if (Click(m.x1, m.y1) != KAVELO_CLICK_CHOOSE) continue;
      const int result = Click(cell % board.w, cell / board.w);
      if (result == KAVELO_CLICK_WRONG) return;
      if (result == KAVELO_CLICK_CONNECT) host.Undo();
    }
    FAIL() << "no miss";
  }
  // Selects the hint's first tile.
  void SelectTile() {
    KaveloMove m{};
    ASSERT_TRUE(host.FindHint(m));
    ASSERT_EQ(Click(m.x1, m.y1), KAVELO_CLICK_CHOOSE);
  }

  Board board;
  GameHost host;
  std::vector<char> frame;
};

// Everything a host can learn of a game: each query (kQueries of them), the hint and the
// pause, the next frame and the save.
constexpr std::size_t kQueries = 7;
struct Snapshot {
  std::vector<int> answers;
  std::vector<char> frame;
  Bytes saved;
  bool operator==(const Snapshot&) const = default;
};
Snapshot Take(Player& p) {
  Snapshot s;
  p.Event(EventText(KAVELO_EVENT_TICK));
  s.frame = p.frame;
  for (int type : {KAVELO_QUERY_PAIRS, KAVELO_QUERY_MISSES, KAVELO_QUERY_CELL_WIDTH, KAVELO_QUERY_CELL_HEIGHT,
                   KAVELO_QUERY_SCORE, KAVELO_QUERY_TILES_LEFT, KAVELO_QUERY_SECONDS_LEFT}) {
    s.answers.push_back(p.Event(EventText(type)));
  }
  KaveloMove m{-1, -1, -1, -1};
  s.answers.insert(s.answers.end(), {p.host.FindHint(m), m.x1, m.y1, m.x2, m.y2, p.host.Paused()});
  s.saved = p.Save();
  return s;
}

void PlayAllBut(Player& p, std::size_t left) {
  std::vector<KaveloMove> moves;
  ASSERT_EQ(p.host.Solve(moves, 60000), KaveloSolved);
  for (std::size_t i = 0; i + left < moves.size(); ++i) {
    p.Click(moves[i].x1, moves[i].y1);
    p.Click(moves[i].x2, moves[i].y2);
  }
}

// A game under the variant: three pairs removed with their falls, one put back, a miss.
void PlayWithFalls(Player& p, const ArtFolder& art, int gravity) {
  ASSERT_TRUE(p.host.SetGravity(gravity));
  p.SetUp(art);
  ASSERT_EQ(p.host.Gravity(), gravity);
  ASSERT_TRUE(p.LinkHint() && p.LinkHint() && p.LinkHint());
  ASSERT_TRUE(p.host.Undo());
  p.Miss();
}

}  // namespace

TEST(SaveGame, RoundTripsReproduceEveryQueryTheFrameAndTheGameThatFollows) {
  SteppedClock clock;
  const ArtFolder art(8, kTrailFrames, kSmall.cell), bigArt(8, kTrailFrames, 1);
  struct Case {
    const char* state;
    Board board;
    std::function<void(Player&)> play;
  } cases[] = {
      {"fresh", kSmall, [](Player&) {}},
      {"mid-game with time, misses, selection and trail", kSmall,
       [](Player& p) {
         p.Event(TimeText(7));
         p.Miss();
         ASSERT_TRUE(p.LinkHint());
         p.SelectTile();
       }},
      {"after undo", kSmall, [](Player& p) { p.LinkHint(), p.LinkHint(), p.host.Undo(); }},
      {"after redo", kSmall, [](Player& p) { p.LinkHint(), p.LinkHint(), p.host.Undo(), p.host.Undo(), p.host.Redo(); }},
      {"at the last pair", kSmall, [](Player& p) { PlayAllBut(p, 1); }},
      {"won", kSmall, [](Player& p) { PlayAllBut(p, 0); }},
      {"timed out", kSmall, [](Player& p) { p.Event(TimeText(kLimit)); }},
      {"selection left on a cell a shuffle emptied", kSmall,
       [&art](Player& p) {
         p.SetUp(art, false);  // tiles packed from (0, 0) on
         ASSERT_EQ(p.Click(0, 0), KAVELO_CLICK_CHOOSE);
         p.Event(ShuffleText(KAVELO_SHUFFLE_COMPACT));  // the border ring empties
       }},
      // 36 interior cells take 15 tiles: every kind is dealt an odd number of times.
      {"kinds dealt odd", {8, 8, 3, 5, 8}, [](Player& p) { p.LinkHint(), p.SelectTile(); }},
      {"255 x 255", {255, 255, 8, 255, 1}, [](Player& p) { p.LinkHint(), p.LinkHint(), p.host.Undo(), p.SelectTile(); }},
      {"down, after falls, undo and a miss", kSmall, [&art](Player& p) { PlayWithFalls(p, art, KAVELO_GRAVITY_DOWN); }},
      {"up, after falls, undo and a miss", kSmall, [&art](Player& p) { PlayWithFalls(p, art, KAVELO_GRAVITY_UP); }},
      {"left, after falls, undo and a miss", kSmall, [&art](Player& p) { PlayWithFalls(p, art, KAVELO_GRAVITY_LEFT); }},
      {"right, after falls, undo and a miss", kSmall,
       [&art](Player& p) { PlayWithFalls(p, art, KAVELO_GRAVITY_RIGHT); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    const ArtFolder& pictures = c.board.cell == 1 ? bigArt : art;
    Player saver(pictures, c.board), loader(pictures, c.board);
    saver.host.SetSolvableShuffles(true);
    saver.Event(ShuffleText(KAVELO_SHUFFLE_COMPACT));
    c.play(saver);
    loader.LinkHint();
    ASSERT_EQ(loader.host.LoadGame(saver.Save().data(), saver.Save().size()), 0);
    ASSERT_TRUE(Take(loader) == Take(saver));
    // The same moves afterwards give the same results.
    const std::size_t overs = saver.host.gameOvers.size();
    std::vector<int> results[2];
    for (int step = 0; step < 3; ++step) {
      KaveloMove m{};
      const bool hint = saver.host.FindHint(m);
      for (int i = 0; i < 2; ++i) {
        Player& p = i == 0 ? saver : loader;
        results[i].insert(results[i].end(), {p.Click(m.x1, m.y1), p.Click(hint ? m.x2 : 0, hint ? m.y2 : 0),
                                             p.host.Undo(), p.host.Redo(), p.Event(TimeText(1))});
      }
    }
    EXPECT_EQ(results[0], results[1]);
    EXPECT_EQ(saver.host.gameOvers.size() - overs, loader.host.gameOvers.size());
    EXPECT_TRUE(Take(loader) == Take(saver));
  }
}

TEST(SaveGame, EveryRefusalLeavesTheGameInPlayAsItWas) {
  SteppedClock clock;
  const ArtFolder art(8, kTrailFrames, kSmall.cell);
  Player saver(art, kSmall);
  saver.host.SetSolvableShuffles(true);
  saver.Event(ShuffleText(KAVELO_SHUFFLE_COMPACT));
  saver.Event(TimeText(7));
  ASSERT_TRUE(saver.LinkHint() && saver.LinkHint() && saver.host.Undo());  // one pair to undo, one to redo
  saver.SelectTile();
  const Bytes good = saver.Save();
  const std::size_t cells = std::size_t(kSmall.w) * kSmall.h;
  const std::size_t trail = kTiles + cells, undo = kTiles + 2 * cells, redo = undo + kPairBytes;
  std::vector<std::size_t> empty, occupied;
  for (std::size_t i = 0; i < cells; ++i) (good[kTiles + i] == 0 ? empty : occupied).push_back(i);
  // A kind at its dealt count: the others lost a pair to the undoable removal.
  const unsigned char full = good[undo + 4] % kSmall.kinds + 1;
  ASSERT_GE(empty.size(), 2u);

  Player other(art, {7, 5, 3, 4, 8}), fewerKinds(art, {6, 5, 2, 6, 8}), taller(art, {6, 6, 3, 4, 8});
  Player winner(art, kSmall);  // a cleared board, whose save carries the game-over mark
  ASSERT_NO_FATAL_FAILURE(PlayAllBut(winner, 0));
  const Bytes won = winner.Save();
  const auto body = [&](std::function<void(Bytes&)> change) {
    Bytes inner(good.begin() + 16, good.end());
    change(inner);
    return kavelo::host::SealSave(inner, 2);
  };
  const auto raw = [&](std::function<void(Bytes&)> change) {
    Bytes bytes = good;
    change(bytes);
    return bytes;
  };
  const auto at = [](std::size_t offset) { return offset - 16; };  // within the body
  struct Case {
    const char* reason;
    Bytes bytes;
  } cases[] = {
      {"empty", {}},
      {"magic", raw([](Bytes& b) { b[0] ^= 1; })},
      {"version 0", raw([](Bytes& b) { b[4] = 0; })},
      {"a version yet to come", raw([](Bytes& b) { b[4] = 3; })},
      {"the first version's body under the second's", [&] {
         Bytes inner(good.begin() + 16, good.end());
         inner.erase(inner.begin() + at(kNumbered), inner.begin() + at(kTiles));
         return kavelo::host::SealSave(inner, 2);
       }()},
      {"length", raw([](Bytes& b) { Put32(b, 8, Get32(b, 8) + 1); })},
      {"checksum", raw([&](Bytes& b) { b[kTiles + occupied[0]] ^= 3; })},
      {"truncated", raw([](Bytes& b) { b.pop_back(); })},
      {"truncated, sealed again", body([](Bytes& b) { b.pop_back(); })},
      {"a byte too many, sealed again", body([](Bytes& b) { b.push_back(0); })},
      {"another width", other.Save()},
      {"another height", taller.Save()},
      {"another kind count", fewerKinds.Save()},
      {"unknown host flags", body([&](Bytes& b) { b[at(kFlags)] = 2; })},
      {"over with tiles and time left", body([&](Bytes& b) { b[at(kFlags)] = 1; })},
      {"in play with no tile left", [&] {
         Bytes inner(won.begin() + 16, won.end());
         inner[at(kFlags)] = 0;
         return kavelo::host::SealSave(inner, 2);
       }()},
      {"unknown shuffle setting", body([&](Bytes& b) { b[at(kSolvable)] = 2; })},
      {"numbered neither yes nor no", body([&](Bytes& b) { b[at(kNumbered)] = 2; })},
      {"a number kept for a clock's deal", body([&](Bytes& b) { b[at(kDealNumber) + 7] = 1; })},
      {"draws kept for a clock's deal", body([&](Bytes& b) { b[at(kDrawn)] = 1; })},
      {"an unknown variant", body([&](Bytes& b) { b[at(kVariant)] = KAVELO_GRAVITY_RIGHT + 1; })},
      {"the largest variant byte", body([&](Bytes& b) { b[at(kVariant)] = 255; })},
      {"a falling variant over records kept without falls",
       body([&](Bytes& b) { b[at(kVariant)] = KAVELO_GRAVITY_DOWN; })},
      {"a history longer than the deal", body([&](Bytes& b) { Put32(b, at(kUndoCount), 0xFFFFFFFF); })},
      {"a kind past the count", body([&](Bytes& b) { b[at(kTiles) + occupied[0]] = kSmall.kinds + 1; })},
      {"an odd count", body([&](Bytes& b) { b[at(kTiles) + occupied[0]] = b[at(kTiles) + occupied[0]] % 3 + 1; })},
      {"more of a kind than dealt", body([&](Bytes& b) {
         b[at(kTiles) + empty[0]] = b[at(kTiles) + empty[1]] = full;
         Put32(b, at(kTilesLeft), Get32(b, at(kTilesLeft)) + 2);
         Put16(b, at(kPairs), 0);
       })},
      {"tiles left off the grid's", body([&](Bytes& b) { Put32(b, at(kTilesLeft), Get32(b, at(kTilesLeft)) + 2); })},
      {"pairs off the tiles'", body([&](Bytes& b) { Put16(b, at(kPairs), 2); })},
      {"elapsed past the limit", body([&](Bytes& b) { Put32(b, at(kElapsed), kLimit + 1); })},
      {"selection outside", body([&](Bytes& b) { Put16(b, at(kSelX), kSmall.w); })},
      {"selection half made", body([&](Bytes& b) { Put16(b, at(kSelX), -1); })},
      {"selection on an empty cell", body([&](Bytes& b) {
         Put16(b, at(kSelX), int(empty[0] % kSmall.w)), Put16(b, at(kSelY), int(empty[0] / kSmall.w));
       })},
      {"trail past its frames", body([&](Bytes& b) { b[at(trail)] = kTrailFrames + 1; })},
      {"trail below zero", body([&](Bytes& b) { b[at(trail)] = 0xFF; })},
      {"undone pair on a tile", body([&](Bytes& b) {
         b[at(undo)] = std::uint8_t(occupied[0] % kSmall.w), b[at(undo) + 1] = std::uint8_t(occupied[0] / kSmall.w);
       })},
      {"undone pair of two kinds", body([&](Bytes& b) { b[at(undo) + 5] = b[at(undo) + 4] % 3 + 1; })},
      {"redone pair not on its tiles", body([&](Bytes& b) {
         b[at(redo) + 4] = b[at(redo) + 5] = b[at(redo) + 4] % 3 + 1;
       })},
      {"a path the search does not take", body([&](Bytes& b) { b[at(undo) + 6] ^= 1; })},
      {"a corner outside", body([&](Bytes& b) { b[at(redo) + 7] = kSmall.w; })},
  };

  Player target(art, kSmall);
  target.LinkHint();
  target.SelectTile();
  const Bytes before = target.Save();
  for (const Case& c : cases) {
    EXPECT_EQ(target.host.LoadGame(c.bytes.data(), c.bytes.size()), -1) << c.reason;
    EXPECT_TRUE(target.Save() == before) << c.reason;
  }
  EXPECT_EQ(target.host.LoadGame(nullptr, 0), -1);
  // The save they were made from loads.
  EXPECT_EQ(target.host.LoadGame(good.data(), good.size()), 0);
}

TEST(SaveGame, AFirstFormatSaveLoadsAsTheVariantWithoutFalls) {
  SteppedClock clock;
  const ArtFolder art(8, kTrailFrames, kSmall.cell);
  Player saver(art, kSmall), loader(art, kSmall);
  const Bytes second = saver.Save();
  ASSERT_EQ(second[kVariant], KAVELO_GRAVITY_NONE);
  Bytes inner(second.begin() + 16, second.end());
  inner.erase(inner.begin() + (kNumbered - 16), inner.begin() + (kTiles - 16));
  const Bytes first = kavelo::host::SealSave(inner, 1);
  loader.host.SetGravity(KAVELO_GRAVITY_UP);
  loader.SetUp(art);
  ASSERT_EQ(loader.host.Gravity(), KAVELO_GRAVITY_UP);
  ASSERT_EQ(loader.host.LoadGame(first.data(), first.size()), 0);
  EXPECT_EQ(loader.host.Gravity(), KAVELO_GRAVITY_NONE);
  EXPECT_TRUE(Take(loader) == Take(saver));
}

TEST(SaveGame, TheEnvelopeHoldsTheBodysLengthAndItsCrc32) {
  for (const auto& [text, crc] : {std::pair{"123456789", 0xCBF43926u},
                                  std::pair{"The quick brown fox jumps over the lazy dog", 0x414FA339u}}) {
    const Bytes sealed = kavelo::host::SealSave(Bytes(text, text + std::strlen(text)), 2);
    EXPECT_EQ(Get32(sealed, 8), std::strlen(text));
    EXPECT_EQ(Get32(sealed, 12), crc) << text;
  }
}

TEST(Pause, APausedGameRefusesMovesAndTimeShowsNoBoardAndResumesWhereItStopped) {
  SteppedClock clock;
  const ArtFolder art(8, kTrailFrames, kSmall.cell);
  Player p(art, kSmall);
  ASSERT_TRUE(p.LinkHint());  // a fresh trail
  p.SelectTile();
  const Snapshot before = Take(p);
  p.host.Pause(true);
  p.host.Pause(true);
  ASSERT_TRUE(p.host.Paused());
  KaveloMove m{};
  std::vector<KaveloMove> moves;
  struct Case {
    const char* operation;
    std::function<int()> run;
    int result;
  } cases[] = {
      {"click", [&] { return p.Click(m.x1, m.y1); }, -1},
      {"shuffle", [&] { return p.Event(ShuffleText(KAVELO_SHUFFLE_MIX)); }, -1},
      {"time", [&] { return p.Event(TimeText(1)); }, -1},
      {"hint", [&] { return int(p.host.FindHint(m)); }, 0},
      {"safe hint", [&] { return int(p.host.FindSafeHint(m)); }, 0},
      {"solve", [&] { return int(p.host.Solve(moves, 1000)); }, KaveloUnknown},
      {"undo", [&] { return int(p.host.Undo()); }, 0},
      {"redo", [&] { return int(p.host.Redo()); }, 0},
      {"clock",  // twenty ticks, two seconds refused
       [&] {
         int ran = 0;
         for (int i = 0; i < 20; ++i) ran += clock.Advance(100);
         return ran;
       },
       20},
      {"tick", [&] { return p.Event(EventText(KAVELO_EVENT_TICK)); }, 0},
  };
  const int frames = p.host.frames;
  for (const Case& c : cases) EXPECT_EQ(c.run(), c.result) << c.operation;
  EXPECT_EQ(p.host.frames, frames + 21);
  Snapshot paused = Take(p);
  // The frame holds the time bar at the top left and nothing else.
  const int width = kSmall.w * kSmall.cell;
  for (std::size_t i = 0; i < paused.frame.size(); i += 4) {
    const bool inBar = int(i / 4 % width) < 40 && int(i / 4 / width) < 4;
    EXPECT_EQ(paused.frame[i + 1] != 0, inBar) << i / 4 % width << ", " << i / 4 / width;
  }
  // The queries answer as before, and nothing moved, not even the trail.
  paused.answers.resize(kQueries);
  EXPECT_EQ(paused.answers, std::vector<int>(before.answers.begin(), before.answers.begin() + kQueries));
  EXPECT_EQ(paused.saved, before.saved);

  p.host.Pause(false);
  p.host.Pause(false);
  EXPECT_FALSE(p.host.Paused());
  EXPECT_EQ(p.Save(), before.saved);
  EXPECT_EQ(p.Event(TimeText(2)), 2);
  EXPECT_TRUE(p.LinkHint());
}

TEST(Pause, OnlyARunningGamePausesAndASetUpOrLoadResumes) {
  SteppedClock clock;
  const ArtFolder art(8, kTrailFrames, kSmall.cell);
  GameHost bare;
  bare.Pause(true);
  EXPECT_FALSE(bare.Paused());  // nothing set up
  Bytes none{1};
  EXPECT_FALSE(bare.SaveGame(none));
  EXPECT_TRUE(none.empty());

  Player p(art, kSmall);
  const Bytes running = p.Save();
  p.Event(TimeText(kLimit));
  p.host.Pause(true);
  EXPECT_FALSE(p.host.Paused());  // over

  ASSERT_EQ(p.host.LoadGame(running.data(), running.size()), 0);
  p.host.Pause(true);
  ASSERT_EQ(p.host.LoadGame(running.data(), running.size()), 0);
  EXPECT_FALSE(p.host.Paused());
  p.host.Pause(true);
  ASSERT_EQ(p.host.SetGameParam(art.SetUp(6, 5, 3, 4, 48, 40)), 0);
  EXPECT_FALSE(p.host.Paused());
  EXPECT_EQ(p.Click(0, 0), KAVELO_CLICK_CHOOSE);
}
