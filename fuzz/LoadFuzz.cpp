// Any bytes handed to LoadGame: either refused, with the game in play unchanged, or loaded
// into a game that saves back to the very same bytes and on which every later operation
// is sound; a save of the game after those operations loads again to the same state.
//
// An input is one byte choosing the board (kSaveBoards) and the rule variant the game in
// play was set up with, one byte whose bits choose the moves played after a load, then the
// bytes to load. When the first byte's top bit is set, the bytes past the envelope get a
// fresh one, with their length and checksum, so that changed bytes reach the board's own
// checks. The seeds hold saves of every variant.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include <PlgKavelo/KaveloFather.h>

#include "fuzz/FuzzArt.h"
#include "host/SaveEnvelope.h"
#include "tests/support/ProtocolText.h"

using kavelo::test::ClickText;
using kavelo::test::CommandText;
using kavelo::test::EventText;
using kavelo::test::ShuffleText;
using kavelo::test::TimeText;
using Bytes = std::vector<unsigned char>;

namespace {

constexpr int kRounds = 4;
constexpr int kLimit = 300;

struct SaveBoard {
  int w, h, kinds, copies;
};
// Kinds within the art's series; every kind dealt odd on the second and the last.
constexpr SaveBoard kSaveBoards[] = {{6, 5, 3, 4}, {8, 8, 3, 5}, {12, 9, 6, 8}, {20, 3, 2, 9}};
constexpr int kVariants = KAVELO_GRAVITY_RIGHT + 1;
// Where a save of the second format keeps its variant: the envelope, the host's byte, the
// board's first fields and its deal's number and draws before it.
constexpr std::size_t kVersionByte = 4;
constexpr unsigned char kNewestFormat = 2;
constexpr std::size_t kVariantByte = 76;

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// A host set up on one of the boards with the fuzz art (FuzzArt.h), its own frame buffer, a
// time bar and a score step.
class SaveHost : public CKaveloFather {
 public:
  SaveHost(const std::string& art, const SaveBoard& board, int gravity)
      : board(board), m_frame(static_cast<std::size_t>(board.w * kavelo::fuzz::kSeedCell) * board.h * kavelo::fuzz::kSeedCell * 4) {
    const int cell = kavelo::fuzz::kSeedCell;
    AllocGdiData(m_frame.data(), 0, 0, 0);
    SetGravity(gravity);
    SetGameParam(Wide(CommandText(KAVELO_PARAM_SET_UP) + "w," + std::to_string(board.w) + ";h," +
                      std::to_string(board.h) + ";c," + std::to_string(board.kinds) + ";r," +
                      std::to_string(board.copies) + ";screenWidth," + std::to_string(board.w * cell) +
                      ";screenHeight," + std::to_string(board.h * cell) + ";screenBits,32;zeroX,0;zeroY,0;iconPath," +
                      art + "/bt;iconType,.bmp;animationFrames,6;animationPath," + art + "/tr;animationType,.bmp;"));
    SetGameParam(Wide(CommandText(KAVELO_PARAM_SELECTION_PICTURE) + "choose," + art + "/choose.png;"));
    SetGameParam(Wide(CommandText(KAVELO_PARAM_TIME_BAR) + "timeBar," + art + "/timebar.gif;x,0;y,0;time," +
                      std::to_string(kLimit) + ";"));
    SetGameParam(Wide(CommandText(KAVELO_PARAM_SCORE_STEP) + "markAdd,3;"));
  }
  int OnGdiDataChange() override { return 0; }
  void OnGameOver(int) override {}

  int Click(int x, int y) { return InputEvent(ClickText(x, y)); }
  int Event(const std::wstring& text) { return InputEvent(text); }
  Bytes Save() const {
    Bytes bytes;
    SaveGame(bytes);
    return bytes;
  }

  const SaveBoard board;

 private:
  std::vector<char> m_frame;
};

std::string g_art;

[[noreturn]] void Broken(const char* promise) {
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::abort();
}

// Clicks the two cells of the pair, with nothing selected before; unless the game is
// over, the second click links them.
void ClickPair(SaveHost& host, const KaveloMove& pair, const char* promise) {
  host.Click(-1, -1);
  const int first = host.Click(pair.x1, pair.y1);
  const int second = host.Click(pair.x2, pair.y2);
  if (first != -1 && second != KAVELO_CLICK_CONNECT && second != KAVELO_CLICK_WIN) Broken(promise);
}

// The moves after a load, as the bits of `moves` choose them; every answer within what
// the interface promises.
void PlayOn(SaveHost& host, unsigned moves) {
  const auto bit = [moves](int n) { return (moves >> n & 1) != 0; };
  for (int round = 0; round < kRounds; ++round) {
    host.Event(EventText(KAVELO_EVENT_TICK));
    if (bit(0)) {
      host.Pause(true);
      if (host.Paused()) {
        if (host.Click(1, 1) != -1 || host.Event(TimeText(1)) != -1 || host.Undo() || host.Redo()) {
          Broken("a paused game refuses moves and time");
        }
      } else if (host.Click(1, 1) != -1) {
        Broken("only a game that is over refuses to pause");
      }
      host.Event(EventText(KAVELO_EVENT_TICK));
      host.Pause(false);
    }
    KaveloMove m{};
    if (host.FindHint(m)) ClickPair(host, m, "a hint's pair links");
    if (bit(1)) host.Undo();
    if (bit(2)) host.Redo();
    if (bit(3)) host.Event(ShuffleText(1 + round % 4));
    if (bit(4) && host.FindSafeHint(m)) ClickPair(host, m, "a safe hint's pair links");
    std::vector<KaveloMove> solution;
    if (bit(5) && host.Solve(solution, 5) == KaveloSolved && !solution.empty()) {
      ClickPair(host, solution[0], "a solution's first pair links");
    }
    if (bit(6)) host.Event(TimeText(1 + round));
    if (bit(7)) host.Click(round, round + 1);
    const int tiles = host.Event(EventText(KAVELO_QUERY_TILES_LEFT));
    if (tiles < 0 || tiles > host.board.w * host.board.h) Broken("tiles left stay within the board");
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_art = "/dev/shm/kavelo-load-art-" + std::to_string(::getpid());
  if (!kavelo::fuzz::WriteFuzzArt(g_art)) {
    std::fprintf(stderr, "cannot write the art folder\n");
    std::abort();
  }
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(g_art, ignored);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const unsigned choice = data[0] & 0x7Fu;
  SaveHost host(g_art, kSaveBoards[choice % std::size(kSaveBoards)],
                static_cast<int>(choice / std::size(kSaveBoards) % kVariants));
  host.Event(ShuffleText(KAVELO_SHUFFLE_SPREAD));
  const Bytes first = host.Save();
  if (first.empty()) Broken("a set-up game saves");
  constexpr std::size_t kEnvelope = 16;
  Bytes input(data + 2, data + size);
  if ((data[0] & 0x80) != 0 && input.size() >= kEnvelope) {
    // The envelope's own version stays, so that bodies of every format are sealed afresh.
    std::uint32_t version = 0;
    for (std::size_t i = 4; i > 0; --i) version = version << 8 | input[kVersionByte + i - 1];
    input = kavelo::host::SealSave(Bytes(input.begin() + kEnvelope, input.end()), version);
  }
  if (host.LoadGame(input.data(), input.size()) != 0) {
    if (host.Save() != first) Broken("a refused load leaves the game as it was");
    return 0;
  }
  // A save of the newest format saves back byte for byte; an older one in the newest
  // format, which loads back to the same state.
  const Bytes resaved = host.Save();
  if (host.Paused()) Broken("a loaded game is unpaused");
  if (input[kVersionByte] == kNewestFormat && resaved != input) Broken("a loaded game saves as it was loaded");
  if (input[kVersionByte] != kNewestFormat && (host.LoadGame(resaved.data(), resaved.size()) != 0 || host.Save() != resaved)) {
    Broken("a loaded older save saves in the newest format, which loads to the same state");
  }
  const int saved = input[kVersionByte] >= 2 && input.size() > kVariantByte ? input[kVariantByte] : KAVELO_GRAVITY_NONE;
  if (host.Gravity() != saved) Broken("a loaded game plays by its save's variant, a first-format one by none");
  // Only a game in play pauses: a loaded game is over exactly when its board says so.
  host.Pause(true);
  const bool over = !host.Paused();
  host.Pause(false);
  const int tiles = host.Event(EventText(KAVELO_QUERY_TILES_LEFT));
  const int seconds = host.Event(EventText(KAVELO_QUERY_SECONDS_LEFT));
  if (over && tiles != 0 && seconds != 0) Broken("a game loaded as over has no tile or no time left");
  if (!over && tiles == 0) Broken("a game loaded in play has tiles left");
  PlayOn(host, data[1]);
  const Bytes played = host.Save();
  if (host.LoadGame(played.data(), played.size()) != 0 || host.Save() != played) {
    Broken("a save of a game played on loads again to the same state");
  }
  return 0;
}
