#include "fuzz/ProtocolPlayer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/KeyValueText.h"
#include "host/ModuleState.h"
#include "logic/KaveloInternal.h"
#include "platform/FrameSurface.h"
#include "platform/TextCodec.h"
#include "platform/TimerQueue.h"

namespace kavelo::fuzz {
namespace {

constexpr int kSetUpCommand = 1;
constexpr std::int64_t kDeliveredBytesPerPixel = 4;
// Tiles never outnumber the interior of the largest board.
constexpr int kMaxTiles = 253 * 253;

std::uint64_t g_nowMs = 1'000'000;

[[noreturn]] void Broken(const char* promise) {
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::abort();
}

}  // namespace

void InstallSteppedClock() {
  KaveloSetTimerClock([]() -> unsigned long long { return g_nowMs; });
}

void AdvanceSteppedClock(std::uint64_t ms) {
  g_nowMs += ms;
  KaveloDispatchTimers();
}

int FuzzHost::Command(const std::wstring& text) {
  const host::KeyValueText reader(text);
  if (reader.Integer("param", host::kValueBufferSize) == kSetUpCommand) {
    const std::int64_t width = reader.Integer("screenWidth", host::kValueBufferSize);
    const std::int64_t height = reader.Integer("screenHeight", host::kValueBufferSize);
    const bool positive = width > 0 && height > 0;
    // A frame the plug-in would accept but larger than the cap is not sent: each tick
    // would clear a surface of up to a gigabyte.
    if (positive && width * height > kMaxFramePixels && width <= platform::FrameSurface::kMaxSide &&
        height <= platform::FrameSurface::kMaxSide) {
      return -1;
    }
    AllocGdiData(nullptr, 0, 0, 0);
    m_buffer.reset();
    if (positive && width * height <= kMaxFramePixels) {
      m_buffer.reset(new char[static_cast<std::size_t>(width * height * kDeliveredBytesPerPixel)]());
      AllocGdiData(m_buffer.get(), static_cast<int>(width), static_cast<int>(height), 32);
    }
    m_lastSetUp = text;
  }
  return SetGameParam(text);
}

void FuzzHost::HandBuffer(bool present) { AllocGdiData(present ? m_buffer.get() : nullptr, 0, 0, 0); }

void FuzzHost::OnGameOver(int result) {
  if (result != 0 && result != 1) Broken("OnGameOver reports 1 for a win or 0 for a time-out");
  if (m_callbackDepth > 0) return;
  ++m_callbackDepth;
  if (m_reaction == 1) Command(m_lastSetUp);
  if (m_reaction == 2) InputEvent(L"type,0");
  --m_callbackDepth;
}

void ProtocolPlayer::Play(std::string_view input) {
  m_current = 0;
  for (int step = 0; step < kMaxSteps && !input.empty(); ++step) {
    const std::size_t end = std::min(input.find('\n'), input.size());
    PlayLine(input.substr(0, end));
    input.remove_prefix(std::min(end + 1, input.size()));
    const int tiles = Current().InputEvent(L"type,256;");
    if (tiles < -1 || tiles > kMaxTiles) Broken("tiles left stay within the board");
  }
  m_slots[m_current ^ 1].reset();
  m_slots[m_current].reset();
  if (platform::ThreadTimerQueue().TimerCount() != 0) Broken("no timer outlives the objects");
  if (host::Module().currentInstance != nullptr) Broken("no current instance outlives the objects");
}

std::wstring ProtocolPlayer::Text(std::string_view bytes) const {
  std::wstring text;
  while (!bytes.empty()) {
    const std::size_t escape = std::min(bytes.find("\\U"), bytes.size());
    std::string part(bytes.substr(0, escape));
    for (std::size_t at; (at = part.find("@/")) != std::string::npos;) part.replace(at, 2, m_art + "/");
    text += platform::NarrowToWide(part).value_or(L"");
    bytes.remove_prefix(escape);
    if (bytes.size() < 10) break;
    text.push_back(static_cast<wchar_t>(std::strtoul(std::string(bytes.substr(2, 8)).c_str(), nullptr, 16)));
    bytes.remove_prefix(10);
  }
  return text;
}

FuzzHost& ProtocolPlayer::Current() {
  if (!m_slots[m_current]) m_slots[m_current] = std::make_unique<FuzzHost>(m_reaction);
  return *m_slots[m_current];
}

void ProtocolPlayer::PlayLine(std::string_view line) {
  if (line.empty()) return;
  const std::string_view rest = line.substr(1);
  const int digit = rest.empty() || rest[0] < '0' || rest[0] > '9' ? 1 : rest[0] - '0';
  switch (line[0]) {
    case 'C': Current().Command(Text(rest)); break;
    case 'E': Current().InputEvent(Text(rest)); break;
    case 'T':
      for (int n = 0; n < digit; ++n) Current().InputEvent(L"type,0");
      break;
    case 'A': AdvanceSteppedClock(std::min<unsigned long>(std::strtoul(std::string(rest).c_str(), nullptr, 10), 60000)); break;
    case 'H': FollowHint(); break;
    case 'O': ChangeObjects(digit); break;
    case 'B': Current().HandBuffer(digit == 1); break;
    case 'X': UseExtension(rest.empty() ? ' ' : rest[0]); break;
    case 'G': m_reaction = digit % 3; break;
    default: break;
  }
}

void ProtocolPlayer::FollowHint() {
  KaveloMove move{};
  if (!Current().FindHint(move)) return;
  if (move.x1 == move.x2 && move.y1 == move.y2) Broken("a hint names two cells");
  // Clearing the selection first makes the outcome certain: the first cell is chosen,
  // the second links with it.
  if (Current().InputEvent(L"type,1;x,-1;y,-1;") == -1) return;
  if (Current().InputEvent(L"type,1;x," + std::to_wstring(move.x1) + L";y," + std::to_wstring(move.y1) + L";") !=
      Choose) {
    Broken("the first cell of a hint is a tile");
  }
  const int linked =
      Current().InputEvent(L"type,1;x," + std::to_wstring(move.x2) + L";y," + std::to_wstring(move.y2) + L";");
  if (linked != Connect && linked != Win) Broken("the cells of a hint link");
}

void ProtocolPlayer::UseExtension(char mode) {
  constexpr int kSolveBudgetMs = 5;  // a fuzzer's run is short
  FuzzHost& host = Current();
  const int tilesBefore = host.InputEvent(L"type,256;");
  switch (mode) {
    case 'u':
      if (host.Undo() && host.InputEvent(L"type,256;") != tilesBefore + 2) Broken("an undo puts two tiles back");
      break;
    case 'r':
      if (host.Redo() && host.InputEvent(L"type,256;") != tilesBefore - 2) Broken("a redo takes two tiles");
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

void ProtocolPlayer::ChangeObjects(int mode) {
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

}  // namespace kavelo::fuzz
