// The C interface: the same answers as the class, games beside objects, and the boundary.
#include <gtest/gtest.h>

#include <PlgKavelo/Kavelo.h>

#include <filesystem>
#include <functional>

#include "GameHost.h"
#include "platform/TextCodec.h"

using namespace kavelo::test;

namespace {

// What a C host sees of its game, with hooks run inside the callbacks.
struct Seen {
  int frames = 0;
  std::vector<int> gameOvers;
  std::function<void()> onFrame, onOver;
};
void Frame(void* context) {
  auto* seen = static_cast<Seen*>(context);
  ++seen->frames;
  if (seen->onFrame) seen->onFrame();
}
void Over(void* context, int won) {
  auto* seen = static_cast<Seen*>(context);
  seen->gameOvers.push_back(won);
  if (seen->onOver) seen->onOver();
}
KaveloGame* Create(Seen& seen) {
  const KaveloHostDesc desc{&seen, Frame, Over};
  return KaveloCreate(&desc);
}

std::string Utf8(const std::wstring& s) { return *kavelo::platform::WideToNarrow(s); }

}  // namespace

TEST(CInterface, WideAndUtf8FormsAnswerAsTheClassDoes) {
  SteppedClock clock;
  ArtFolder art;
  std::vector<char> a(48 * 40 * 4), b(a.size()), c(a.size());
  GameHost host;
  Seen wideSeen, utf8Seen;
  KaveloGame* wide = Create(wideSeen);
  KaveloGame* utf8 = Create(utf8Seen);
  host.AllocGdiData(a.data(), 48, 40, 32);
  EXPECT_EQ(KaveloAllocGdiData(wide, b.data(), 48, 40, 32), 0);
  EXPECT_EQ(KaveloAllocGdiData(utf8, c.data(), 48, 40, 32), 0);
  const std::wstring texts[] = {
      EventText(KAVELO_QUERY_PAIRS),  // refused before set-up
      art.SetUp(6, 5, 3, 4, 48, 40),
      W(CommandText(KAVELO_PARAM_SELECTION_PICTURE) + "choose," + art.Path("choose.bmp") + ";"),
      W(CommandText(KAVELO_PARAM_TIME_BAR) + "timeBar," + art.Path("timebar.bmp") + ";x,0;y,0;time,30;"),
      W(CommandText(KAVELO_PARAM_SCORE_STEP) + "markAdd,7;"),
      L"param,3;",  // no command
      ShuffleText(KAVELO_SHUFFLE_SPREAD), EventText(KAVELO_QUERY_CELL_WIDTH), EventText(KAVELO_QUERY_CELL_HEIGHT),
      EventText(KAVELO_QUERY_TILES_LEFT), EventText(KAVELO_QUERY_SECONDS_LEFT), TimeText(3), ClickText(0, 0),
      EventText(KAVELO_QUERY_MISSES), L"type,99;"};  // the last: no event
  for (const std::wstring& text : texts) {
    const bool command = text.starts_with(L"param");
    const int expected = command ? host.SetGameParam(text) : host.InputEvent(text);
    EXPECT_EQ(command ? KaveloSetGameParam(wide, text.c_str()) : KaveloInputEvent(wide, text.c_str()), expected);
    const std::string narrow = Utf8(text);
    EXPECT_EQ(command ? KaveloSetGameParamUtf8(utf8, narrow.c_str()) : KaveloInputEventUtf8(utf8, narrow.c_str()),
              expected);
  }
  KaveloDestroy(wide);
  KaveloDestroy(utf8);
}

TEST(CInterface, TheBoundaryRefusesNullsAndReadsBrokenUtf8AsTheReplacementCharacter) {
  SteppedClock clock;
  ArtFolder art;
  KaveloGame* game = KaveloCreate(nullptr);  // no callbacks at all
  ASSERT_NE(game, nullptr);
  KaveloMove move{};
  const int refused[] = {
      KaveloAllocGdiData(nullptr, nullptr, 0, 0, 0),
      KaveloSetGameParam(nullptr, L"param," KAVELO_TEXT(KAVELO_PARAM_SCORE_STEP) L";"),
      KaveloSetGameParam(game, nullptr),
      KaveloSetGameParamUtf8(nullptr, "param," KAVELO_TEXT(KAVELO_PARAM_SCORE_STEP) ";"),
      KaveloSetGameParamUtf8(game, nullptr),
      KaveloInputEvent(nullptr, L"type," KAVELO_TEXT(KAVELO_QUERY_PAIRS) L";"),
      KaveloInputEvent(game, nullptr),
      KaveloInputEventUtf8(nullptr, "type," KAVELO_TEXT(KAVELO_QUERY_PAIRS) ";"),
      KaveloInputEventUtf8(game, nullptr),           KaveloFindHint(nullptr, &move),
      KaveloFindHint(game, nullptr)};
  for (const int result : refused) EXPECT_EQ(result, -1);
  KaveloDestroy(nullptr);

  // The pictures are reached through a folder whose name holds U+FFFD.
  const std::filesystem::path dir = std::filesystem::path(art.Path("tile")).parent_path();
  const std::filesystem::path link = FolderWithReplacementCharacter(dir);
  const std::string separator(1, char(std::filesystem::path::preferred_separator));
  const std::string setUp = Utf8(art.SetUp(6, 5, 3, 4, 48, 40));
  struct Case {
    const char* bytes;  // in place of U+FFFD in the folder's name
    int result;
  } cases[] = {{"\xEF\xBF\xBD", 0}, {"\xFF", 0}, {"\xC3", 0}, {"\xE2\x82", 0}, {"\x80\x80", -1}, {"?", -1}};
  for (const Case& c : cases) {
    std::string text = setUp;
    for (std::size_t at; (at = text.find(dir.string() + separator)) != std::string::npos;) {
      text.replace(at, dir.string().size(), dir.string() + c.bytes);
    }
    EXPECT_EQ(KaveloSetGameParamUtf8(game, text.c_str()), c.result) << c.bytes;
  }
  std::filesystem::remove_all(link);
  // A game without callbacks plays on: frames are drawn, the time runs out silently.
  std::vector<char> frame(48 * 40 * 4, 0x55);
  KaveloAllocGdiData(game, frame.data(), 48, 40, 32);
  ASSERT_EQ(KaveloSetGameParam(game, art.SetUp(6, 5, 3, 4, 48, 40).c_str()), 0);
  EXPECT_EQ(clock.Advance(100), 1);
  EXPECT_NE(std::count(frame.begin(), frame.end(), 0x55), static_cast<long>(frame.size()));
  EXPECT_EQ(KaveloInputEvent(game, TimeText(100000).c_str()), 0);
  KaveloDestroy(game);
}

TEST(CInterface, AGameDestroyedInsideItsOwnCallbackGoesSilentAndLeavesNewerGamesRunning) {
  ArtFolder art(1);
  std::vector<char> frame(64 * 64 * 4), other(frame.size());
  enum Trigger { TickFrame, TimeOut, WinningClick };
  struct Case {
    Trigger trigger;
    bool startAnother;  // a new game is created and set up inside the callback
  } cases[] = {{TickFrame, false}, {TimeOut, false}, {WinningClick, false}, {TimeOut, true}, {WinningClick, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.trigger * 2 + c.startAnother);
    SteppedClock clock;
    Seen seen, anotherSeen;
    KaveloGame* game = Create(seen);
    KaveloGame* another = nullptr;
    const auto end = [&] {
      KaveloDestroy(game);
      EXPECT_EQ(KaveloInputEvent(game, EventText(KAVELO_QUERY_TILES_LEFT).c_str()), -1);  // closed, not yet freed
      unsigned long long number = 0;
      EXPECT_EQ(KaveloSetDeal(game, 1, 5), -1);
      EXPECT_EQ(KaveloDealNumber(game, &number), -1);
      EXPECT_EQ(KaveloSetGravity(game, KAVELO_GRAVITY_DOWN), -1);
      EXPECT_EQ(KaveloGravity(game), -1);
      if (!c.startAnother) return;
      another = Create(anotherSeen);
      KaveloAllocGdiData(another, other.data(), 64, 64, 32);
      EXPECT_EQ(KaveloSetGameParam(another, art.SetUp(4, 3, 1, 2, 64, 64).c_str()), 0);
    };
    (c.trigger == TickFrame ? seen.onFrame : seen.onOver) = end;
    KaveloAllocGdiData(game, frame.data(), 64, 64, 32);
    ASSERT_EQ(KaveloSetGameParam(game, art.SetUp(4, 3, 1, 2, 64, 64).c_str()), 0);  // two tiles, one pair
    ASSERT_EQ(KaveloSetGameParam(game, W(CommandText(KAVELO_PARAM_TIME_BAR) + "time,1;").c_str()),
              KAVELO_PARAM_TIME_BAR);
    if (c.trigger == WinningClick) {
      KaveloMove move{};
      ASSERT_EQ(KaveloFindHint(game, &move), 1);
      EXPECT_EQ(KaveloInputEvent(game, ClickText(move.x1, move.y1).c_str()), KAVELO_CLICK_CHOOSE);
      EXPECT_EQ(KaveloInputEvent(game, ClickText(move.x2, move.y2).c_str()), KAVELO_CLICK_WIN);
    } else {
      // The tick counter is the module's: the time event comes within ten ticks.
      const auto ended = [&] { return c.trigger == TickFrame ? seen.frames > 0 : !seen.gameOvers.empty(); };
      for (int tick = 0; tick < 10 && !ended(); ++tick) clock.Advance(100);
    }
    const int framesAtEnd = seen.frames;
    for (int tick = 0; tick < 20; ++tick) clock.Advance(100);
    EXPECT_EQ(seen.frames, framesAtEnd);
    EXPECT_EQ(seen.frames > 0, c.trigger != WinningClick);
    EXPECT_EQ(seen.gameOvers.size(), c.trigger == TickFrame ? 0u : 1u);
    EXPECT_EQ(anotherSeen.frames, c.startAnother ? 20 : 0);
    EXPECT_EQ(kavelo::test::ClockTimers() != 0, c.startAnother);
    KaveloDestroy(another);
  }
}

TEST(CInterface, SolvedMovesFillTheCallersArrayAndUndoRedoAnswerAsTheClassDoes) {
  SteppedClock clock;
  ArtFolder art;
  Seen seen;
  KaveloGame* game = Create(seen);
  std::vector<char> frame(48 * 40 * 4);
  KaveloMove moves[12] = {};
  int count = -5;
  const int refused[] = {KaveloSolve(nullptr, moves, 12, &count, 10), KaveloSolve(game, moves, 12, nullptr, 10),
                         KaveloSolve(game, nullptr, 1, &count, 10),   KaveloSolve(game, moves, -1, &count, 10),
                         KaveloUndo(nullptr), KaveloRedo(nullptr), KaveloSetSolvableShuffles(nullptr, 1),
                         KaveloFindSafeHint(nullptr, moves), KaveloFindSafeHint(game, nullptr)};
  for (const int result : refused) EXPECT_EQ(result, -1);
  EXPECT_EQ(count, -5);
  EXPECT_EQ(KaveloSolve(game, nullptr, 0, &count, 10), KaveloUnknown);  // no board yet
  EXPECT_EQ(KaveloUndo(game), 0);

  EXPECT_EQ(KaveloSetSolvableShuffles(game, 1), 0);
  KaveloAllocGdiData(game, frame.data(), 48, 40, 32);
  ASSERT_EQ(KaveloSetGameParam(game, art.SetUp(6, 5, 3, 4, 48, 40).c_str()), 0);
  ASSERT_EQ(KaveloInputEvent(game, ShuffleText(KAVELO_SHUFFLE_SPREAD).c_str()), 0);
  ASSERT_EQ(KaveloSolve(game, moves, 2, &count, 60000), KaveloSolved);
  EXPECT_EQ(count, 6);
  EXPECT_EQ(moves[2].x1 + moves[2].y1 + moves[2].x2 + moves[2].y2, 0);  // beyond the capacity: untouched
  ASSERT_EQ(KaveloSolve(game, moves, 12, &count, 60000), KaveloSolved);
  const auto click = [game](int x, int y) {
    return KaveloInputEvent(game, ClickText(x, y).c_str());
  };
  click(moves[0].x1, moves[0].y1);
  click(moves[0].x2, moves[0].y2);
  EXPECT_EQ(std::vector<int>({KaveloUndo(game), KaveloUndo(game), KaveloRedo(game), KaveloRedo(game)}),
            std::vector<int>({1, 0, 1, 0}));
  for (int i = 1; i < count; ++i) click(moves[i].x1, moves[i].y1), click(moves[i].x2, moves[i].y2);
  EXPECT_EQ(seen.gameOvers, std::vector<int>{1});
  EXPECT_EQ(KaveloUndo(game), 0);  // no game runs
  KaveloDestroy(game);
}

TEST(CInterface, SaveAsksForTheSizeFillsOnlyABufferLargeEnoughAndLoadAndPauseAnswerAsTheClassDoes) {
  SteppedClock clock;
  ArtFolder art;
  Seen seen;
  KaveloGame* game = Create(seen);
  std::vector<char> frame(48 * 40 * 4);
  std::vector<unsigned char> bytes(4096, 0xAB);
  std::size_t size = 7;
  const int refused[] = {KaveloPause(nullptr, 1), KaveloPaused(nullptr), KaveloSaveGame(nullptr, nullptr, 0, &size),
                         KaveloSaveGame(game, nullptr, 1, &size), KaveloSaveGame(game, bytes.data(), 0, &size),
                         KaveloLoadGame(nullptr, bytes.data(), 1), KaveloLoadGame(game, nullptr, 0)};
  for (const int result : refused) EXPECT_EQ(result, -1);  // null, or nothing set up to save or load onto
  EXPECT_EQ(size, 0u);

  KaveloAllocGdiData(game, frame.data(), 48, 40, 32);
  ASSERT_EQ(KaveloSetGameParam(game, art.SetUp(6, 5, 3, 4, 48, 40).c_str()), 0);
  ASSERT_EQ(KaveloSaveGame(game, nullptr, 0, &size), 0);
  const std::size_t needed = size;
  EXPECT_EQ(KaveloSaveGame(game, bytes.data(), needed - 1, nullptr), -1);
  EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 0xAB), 4096);  // nothing written
  size = 0;
  ASSERT_EQ(KaveloSaveGame(game, bytes.data(), bytes.size(), &size), 0);
  EXPECT_EQ(size, needed);
  EXPECT_EQ(std::count(bytes.begin() + needed, bytes.end(), 0xAB), 4096 - static_cast<long>(needed));
  const std::vector<unsigned char> saved(bytes.begin(), bytes.begin() + needed);

  EXPECT_EQ(KaveloInputEvent(game, ClickText(0, 0).c_str()), KAVELO_CLICK_CHOOSE);
  EXPECT_EQ(std::vector<int>({KaveloPause(game, 1), KaveloPaused(game), KaveloInputEvent(game, ClickText(1, 0).c_str()),
                              KaveloLoadGame(game, saved.data(), needed), KaveloPaused(game),
                              KaveloLoadGame(game, saved.data(), needed - 1)}),
            std::vector<int>({0, 1, -1, 0, 0, -1}));
  std::vector<unsigned char> loaded(needed);
  ASSERT_EQ(KaveloSaveGame(game, loaded.data(), needed, &size), 0);
  EXPECT_EQ(loaded, saved);  // the selection made after the save is gone
  KaveloDestroy(game);
}
