// Sequences of commands and events on up to two plug-in objects, as a host that keeps the
// host contract (a buffer as large as every accepted frame) but sends anything else, with
// a stepped clock and an art folder of the project's own pictures.
//
// An input is lines of text. The first character of a line says what it does:
//   C text   sends the rest of the line as a command; "@/" stands for the art folder
//   E text   sends it as an event
//   T n      n clock ticks (a digit, 1 when absent)
//   A n      moves the stepped clock on by n milliseconds (at most 60000) and serves it
//   H        follows the hint: both cells clicked, which must link
//   O n      objects: 0 a new one in the other slot, 1 destroys the other, 2 switches,
//            3 replaces the one in use
//   B n      hands over no buffer (0) or the object's own again (1)
//   X c      extensions: u undo, r redo, s solve, h safe hint, c and C solvable shuffles
//            on and off
//   G n      when told the game is over: 0 nothing, 1 the last set-up again, 2 a tick
// In a text, "\U" and eight hex digits stand for that character, whatever it is; other
// bytes are read as UTF-8, broken ones as U+FFFD.
#include <PlgKavelo/KaveloFather.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/FuzzArt.h"
#include "host/KeyValueText.h"
#include "host/ModuleState.h"
#include "platform/FrameSurface.h"
#include "platform/TextCodec.h"
#include "platform/posix/TimerQueue.h"
#include "platform/WavePlayback.h"
#include "tests/support/ProtocolText.h"

using kavelo::test::ClickText;
using kavelo::test::EventText;

namespace {

// The largest frame a fuzzed set-up is given a buffer for, to keep each tick quick.
// Larger frames that the plug-in refuses get no buffer; larger ones it would accept are
// not sent.
constexpr std::int64_t kMaxFramePixels = std::int64_t{1} << 16;
constexpr int kMaxSteps = 256;  // lines played from one input at most
constexpr int kSetUpCommand = 1;
constexpr int kMaxTiles = 253 * 253;  // tiles never outnumber the interior of the largest board

std::uint64_t g_nowMs = 1'000'000;
std::string g_art;

[[noreturn]] void Broken(const char* promise) {
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::abort();
}

class FuzzHost : public CKaveloFather {
 public:
  explicit FuzzHost(const int& reaction) : m_reaction(reaction) {}

  // Sends a command; a set-up command first gets a buffer sized for the frame it asks
  // for, read from the text exactly as the plug-in reads it. -1 for a set-up not sent.
  int Command(const std::wstring& text) {
    const kavelo::host::KeyValueText reader(text);
    if (reader.Integer("param", kavelo::host::kValueBufferSize) == kSetUpCommand) {
      const std::int64_t width = reader.Integer("screenWidth", kavelo::host::kValueBufferSize);
      const std::int64_t height = reader.Integer("screenHeight", kavelo::host::kValueBufferSize);
      const bool positive = width > 0 && height > 0;
      constexpr int kMaxSide = kavelo::platform::FrameSurface::kMaxSide;
      // A frame the plug-in would accept but larger than the cap is not sent: each tick
      // would clear a surface of up to a gigabyte.
      if (positive && width * height > kMaxFramePixels && width <= kMaxSide && height <= kMaxSide) return -1;
      AllocGdiData(nullptr, 0, 0, 0);
      m_buffer.reset();
      if (positive && width * height <= kMaxFramePixels) {
        m_buffer = std::make_unique<char[]>(static_cast<std::size_t>(width * height * 4));
        AllocGdiData(m_buffer.get(), static_cast<int>(width), static_cast<int>(height), 32);
      }
      m_lastSetUp = text;
    }
    return SetGameParam(text);
  }
  void HandBuffer(bool present) { AllocGdiData(present ? m_buffer.get() : nullptr, 0, 0, 0); }

  int OnGdiDataChange() override { return 0; }
  void OnGameOver(int result) override {
    if (result != 0 && result != 1) Broken("OnGameOver reports 1 for a win or 0 for a time-out");
    if (m_callbackDepth > 0) return;
    ++m_callbackDepth;
    if (m_reaction == 1) Command(m_lastSetUp);
    if (m_reaction == 2) InputEvent(EventText(KAVELO_EVENT_TICK));
    --m_callbackDepth;
  }

 private:
  const int& m_reaction;
  std::unique_ptr<char[]> m_buffer;  // exactly the frame's size, so that a write past it is caught
  std::wstring m_lastSetUp;
  int m_callbackDepth = 0;
};

class ProtocolPlayer {
 public:
  // Plays the input, destroys every object and checks that nothing is left behind; a
  // broken promise aborts, so the fuzzer reports it.
  void Play(std::string_view input) {
    for (int step = 0; step < kMaxSteps && !input.empty(); ++step) {
      const std::size_t end = std::min(input.find('\n'), input.size());
      PlayLine(input.substr(0, end));
      input.remove_prefix(std::min(end + 1, input.size()));
      const int tiles = Current().InputEvent(EventText(KAVELO_QUERY_TILES_LEFT));
      if (tiles < -1 || tiles > kMaxTiles) Broken("tiles left stay within the board");
    }
    m_slots[m_current ^ 1].reset();
    m_slots[m_current].reset();
    if (kavelo::platform::ThreadTimerQueue().TimerCount() != 0) Broken("no timer outlives the objects");
    if (kavelo::host::Module().currentInstance != nullptr) Broken("no current instance outlives the objects");
  }

 private:
  std::wstring Text(std::string_view bytes) const {
    std::wstring text;
    while (!bytes.empty()) {
      const std::size_t escape = std::min(bytes.find("\\U"), bytes.size());
      std::string part(bytes.substr(0, escape));
      for (std::size_t at; (at = part.find("@/")) != std::string::npos;) part.replace(at, 2, g_art + "/");
      text += kavelo::platform::NarrowToWide(part).value_or(L"");
      bytes.remove_prefix(escape);
      if (bytes.size() < 10) break;
      text.push_back(static_cast<wchar_t>(std::strtoul(std::string(bytes.substr(2, 8)).c_str(), nullptr, 16)));
      bytes.remove_prefix(10);
    }
    return text;
  }

  FuzzHost& Current() {
    if (!m_slots[m_current]) m_slots[m_current] = std::make_unique<FuzzHost>(m_reaction);
    return *m_slots[m_current];
  }

  void PlayLine(std::string_view line) {
    if (line.empty()) return;
    const std::string_view rest = line.substr(1);
    const int digit = rest.empty() || rest[0] < '0' || rest[0] > '9' ? 1 : rest[0] - '0';
    switch (line[0]) {
      case 'C': Current().Command(Text(rest)); break;
      case 'E': Current().InputEvent(Text(rest)); break;
      case 'T':
        for (int n = 0; n < digit; ++n) Current().InputEvent(EventText(KAVELO_EVENT_TICK));
        break;
      case 'A':
        g_nowMs += std::min<unsigned long>(std::strtoul(std::string(rest).c_str(), nullptr, 10), 60000);
        KaveloDispatchTimers();
        break;
      case 'H': FollowHint(); break;
      case 'O': ChangeObjects(digit); break;
      case 'B': Current().HandBuffer(digit == 1); break;
      case 'X': UseExtension(rest.empty() ? ' ' : rest[0]); break;
      case 'G': m_reaction = digit % 3; break;
      default: break;
    }
  }

  void FollowHint() {
    KaveloMove move{};
    if (!Current().FindHint(move)) return;
    if (move.x1 == move.x2 && move.y1 == move.y2) Broken("a hint names two cells");
    // Clearing the selection first makes the outcome certain: the first cell is chosen,
    // the second links with it.
    if (Current().InputEvent(ClickText(-1, -1)) == -1) return;
    if (Current().InputEvent(ClickText(move.x1, move.y1)) != KAVELO_CLICK_CHOOSE) {
      Broken("the first cell of a hint is a tile");
    }
    const int linked = Current().InputEvent(ClickText(move.x2, move.y2));
    if (linked != KAVELO_CLICK_CONNECT && linked != KAVELO_CLICK_WIN) Broken("the cells of a hint link");
  }

  void UseExtension(char mode) {
    constexpr int kSolveBudgetMs = 5;  // a fuzzer's run is short
    FuzzHost& host = Current();
    const int tilesBefore = host.InputEvent(EventText(KAVELO_QUERY_TILES_LEFT));
    switch (mode) {
      case 'u':
        if (host.Undo() && host.InputEvent(EventText(KAVELO_QUERY_TILES_LEFT)) != tilesBefore + 2) {
          Broken("an undo puts two tiles back");
        }
        break;
      case 'r':
        if (host.Redo() && host.InputEvent(EventText(KAVELO_QUERY_TILES_LEFT)) != tilesBefore - 2) {
          Broken("a redo takes two tiles");
        }
        break;
      case 'c':
      case 'C':
        host.SetSolvableShuffles(mode == 'c');
        break;
      case 's': {
        std::vector<KaveloMove> moves;
        if (host.Solve(moves, kSolveBudgetMs) == KaveloSolved && static_cast<int>(moves.size()) * 2 != tilesBefore) {
          Broken("a clearing removes every tile");
        }
        break;
      }
      case 'h': {
        KaveloMove move{};
        if (host.FindSafeHint(move) && move.x1 == move.x2 && move.y1 == move.y2) Broken("a safe hint names two cells");
        break;
      }
      default: break;
    }
  }

  void ChangeObjects(int mode) {
    switch (mode) {
      case 0:  // a new object in the other slot, used from now on
        m_slots[m_current ^ 1].reset();
        m_current ^= 1;
        Current();
        break;
      case 1: m_slots[m_current ^ 1].reset(); break;
      case 2: m_current ^= 1; break;
      case 3:
        m_slots[m_current].reset();
        Current();
        break;
      default: break;
    }
  }

  int m_reaction = 0;
  std::unique_ptr<FuzzHost> m_slots[2];
  int m_current = 0;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Sounds play on SDL's silent driver; one reference held for the whole run keeps the
  // playback open, instead of opening and closing it for every input.
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
  kavelo::platform::AcquireWavePlayback();
  g_art = "/dev/shm/kavelo-fuzz-art-" + std::to_string(::getpid());
  if (!kavelo::fuzz::WriteFuzzArt(g_art)) {
    std::fprintf(stderr, "cannot write the art folder\n");
    std::abort();
  }
  KaveloSetTimerClock([]() -> unsigned long long { return g_nowMs; });
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(g_art, ignored);
    kavelo::platform::ReleaseWavePlayback();
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ProtocolPlayer().Play({reinterpret_cast<const char*>(data), size});
  return 0;
}
