#include "fuzz/ProtocolPlayer.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "host/KeyValueText.h"
#include "host/ModuleState.h"
#include "logic/KaveloInternal.h"
#include "platform/FrameSurface.h"
#include "platform/TimerQueue.h"

namespace kavelo::fuzz {
namespace {

constexpr const wchar_t* kSoundKeys[] = {L"cancel", L"connect", L"wrong", L"choose", L"win"};
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

int FuzzHost::OnGdiDataChange() { return 0; }

void FuzzHost::OnGameOver(int result) {
  if (result != 0 && result != 1) Broken("OnGameOver reports 1 for a win or 0 for a time-out");
  if (m_callbackDepth > 0) return;
  ++m_callbackDepth;
  if (m_reaction == GameOverReaction::kSetUpAgain) Command(m_lastSetUp);
  if (m_reaction == GameOverReaction::kTick) InputEvent(L"type,0");
  --m_callbackDepth;
}

void ProtocolPlayer::Play(std::span<const std::uint8_t> input) {
  ByteReader in(input);
  m_reaction = static_cast<GameOverReaction>(in.U8() % static_cast<unsigned>(GameOverReaction::kCount));
  m_current = 0;
  for (int step = 0; step < kMaxSteps && !in.AtEnd(); ++step) {
    PlayStep(in);
    CheckQueries();
  }
  m_slots[m_current ^ 1].reset();
  m_slots[m_current].reset();
  if (platform::ThreadTimerQueue().TimerCount() != 0) Broken("no timer outlives the objects");
  if (host::Module().currentInstance != nullptr) Broken("no current instance outlives the objects");
}

FuzzHost& ProtocolPlayer::Current() {
  if (!m_slots[m_current]) m_slots[m_current] = std::make_unique<FuzzHost>(m_reaction);
  return *m_slots[m_current];
}

void ProtocolPlayer::ReadSpoils(ByteReader& in, ProtocolText& text) {
  const unsigned count = in.U8() % (kMaxSpoils + 1);
  for (unsigned i = 0; i < count; ++i) {
    SpoilStep step;
    step.kind = in.U8();
    step.pair = in.U8();
    step.arg = in.U8();
    text.Apply(step);
  }
}

std::wstring ProtocolPlayer::ReadRawText(ByteReader& in) {
  const std::size_t length = in.U16() % (kMaxRawChars + 1);
  std::wstring text;
  while (text.size() < length && !in.AtEnd()) {
    const std::uint8_t byte = in.U8();
    text.push_back(byte < kWideEscape ? static_cast<wchar_t>(byte) : static_cast<wchar_t>(in.U32()));
  }
  return text;
}

void ProtocolPlayer::ClickCell(int x, int y) {
  Current().InputEvent(L"type,1;x," + std::to_wstring(x) + L";y," + std::to_wstring(y) + L";");
}

void ProtocolPlayer::PlayStep(ByteReader& in) {
  const auto step = static_cast<Step>(in.U8() % static_cast<unsigned>(Step::kCount));
  ProtocolText text;
  switch (step) {
    case Step::kSetUp: {
      SetUpFields f;
      f.w = in.U16(), f.h = in.U16(), f.c = in.U16(), f.r = in.U16();
      f.screenWidth = in.U16(), f.screenHeight = in.U16(), f.bits = in.U8();
      f.zeroX = in.I32(), f.zeroY = in.I32(), f.icons = in.U8(), f.frames = in.U16(), f.animation = in.U8();
      const SeriesName icons = m_art.Series(f.icons);
      const SeriesName animation = m_art.Series(f.animation);
      text.Add(L"param", kSetUpCommand).Add(L"w", f.w).Add(L"h", f.h).Add(L"c", f.c).Add(L"r", f.r);
      text.Add(L"screenWidth", f.screenWidth).Add(L"screenHeight", f.screenHeight);
      text.Add(L"screenBits", f.bits < kBitsRaw ? 32 : f.bits - kBitsRaw);
      text.Add(L"zeroX", f.zeroX).Add(L"zeroY", f.zeroY);
      text.AddNarrow(L"iconPath", icons.path).AddNarrow(L"iconType", icons.type);
      text.Add(L"animationFrames", f.frames);
      text.AddNarrow(L"animationPath", animation.path).AddNarrow(L"animationType", animation.type);
      ReadSpoils(in, text);
      Current().Command(text.Render());
      break;
    }
    case Step::kChoose:
      text.Add(L"param", 2).AddNarrow(L"choose", m_art.Picture(in.U8()));
      ReadSpoils(in, text);
      Current().Command(text.Render());
      break;
    case Step::kTimeBar: {
      const std::string picture = m_art.Picture(in.U8());
      const std::int32_t x = in.I32(), y = in.I32(), time = in.I32();
      text.Add(L"param", 4).AddNarrow(L"timeBar", picture).Add(L"x", x).Add(L"y", y).Add(L"time", time);
      ReadSpoils(in, text);
      Current().Command(text.Render());
      break;
    }
    case Step::kSounds: {
      const unsigned mask = in.U8();
      const unsigned sound = in.U8();
      text.Add(L"param", 8);
      for (unsigned n = 0; n < 5; ++n) {
        if (mask & (1u << n)) text.AddNarrow(kSoundKeys[n], m_art.Sound(static_cast<std::uint8_t>(sound + n)));
      }
      ReadSpoils(in, text);
      Current().Command(text.Render());
      break;
    }
    case Step::kScoreStep:
      text.Add(L"param", 16).Add(L"markAdd", in.I32());
      ReadSpoils(in, text);
      Current().Command(text.Render());
      break;
    case Step::kTicks:
      for (unsigned n = 1 + in.U8() % 8; n > 0; --n) Current().InputEvent(L"type,0");
      break;
    case Step::kClick: {
      const std::int32_t x = in.I32(), y = in.I32();
      text.Add(L"type", 1).Add(L"x", x).Add(L"y", y);
      ReadSpoils(in, text);
      Current().InputEvent(text.Render());
      break;
    }
    case Step::kShuffle:
      text.Add(L"type", 2).Add(L"shuffle", in.I32());
      ReadSpoils(in, text);
      Current().InputEvent(text.Render());
      break;
    case Step::kTimeEvent:
      text.Add(L"type", 64).Add(L"time", in.I32());
      ReadSpoils(in, text);
      Current().InputEvent(text.Render());
      break;
    case Step::kQuery:
      text.Add(L"type", in.I32());
      ReadSpoils(in, text);
      Current().InputEvent(text.Render());
      break;
    case Step::kAdvanceClock:
      AdvanceSteppedClock(in.U16());
      break;
    case Step::kRawCommand:
      Current().Command(ReadRawText(in));
      break;
    case Step::kRawEvent:
      Current().InputEvent(ReadRawText(in));
      break;
    case Step::kHint: {
      KaveloMove move{};
      if (Current().FindHint(move) && (move.x1 == move.x2 && move.y1 == move.y2)) Broken("a hint names two cells");
      break;
    }
    case Step::kFollowHint: {
      KaveloMove move{};
      if (!Current().FindHint(move)) break;
      // Clearing the selection first makes the outcome certain: the first cell is chosen,
      // the second links with it.
      if (Current().InputEvent(L"type,1;x,-1;y,-1;") == -1) break;
      if (Current().InputEvent(L"type,1;x," + std::to_wstring(move.x1) + L";y," + std::to_wstring(move.y1) + L";") !=
          Choose) {
        Broken("the first cell of a hint is a tile");
      }
      const int linked =
          Current().InputEvent(L"type,1;x," + std::to_wstring(move.x2) + L";y," + std::to_wstring(move.y2) + L";");
      if (linked != Connect && linked != Win) Broken("the cells of a hint link");
      break;
    }
    case Step::kHandBuffer:
      Current().HandBuffer(in.U8() % 2 == 1);
      break;
    case Step::kObjects:
      ChangeObjects(static_cast<ObjectsMode>(in.U8() % static_cast<unsigned>(ObjectsMode::kCount)));
      break;
    case Step::kExtension:
      UseExtension(static_cast<ExtensionMode>(in.U8() % static_cast<unsigned>(ExtensionMode::kCount)));
      break;
    case Step::kCount:
      break;
  }
}

void ProtocolPlayer::UseExtension(ExtensionMode mode) {
  constexpr int kSolveBudgetMs = 5;  // a fuzzer's run is short
  FuzzHost& host = Current();
  const int tilesBefore = host.InputEvent(L"type,256;");
  switch (mode) {
    case ExtensionMode::kUndo:
      if (host.Undo() && host.InputEvent(L"type,256;") != tilesBefore + 2) Broken("an undo puts two tiles back");
      break;
    case ExtensionMode::kRedo:
      if (host.Redo() && host.InputEvent(L"type,256;") != tilesBefore - 2) Broken("a redo takes two tiles");
      break;
    case ExtensionMode::kClearableOn:
    case ExtensionMode::kClearableOff:
      host.SetSolvableShuffles(mode == ExtensionMode::kClearableOn);
      break;
    case ExtensionMode::kSolve: {
      std::vector<KaveloMove> moves;
      if (host.Solve(moves, kSolveBudgetMs) == KaveloSolved && static_cast<int>(moves.size()) * 2 != tilesBefore) {
        Broken("a clearing removes every tile");
      }
      break;
    }
    case ExtensionMode::kSafeHint: {
      KaveloMove move{};
      if (host.FindSafeHint(move) && move.x1 == move.x2 && move.y1 == move.y2) Broken("a safe hint names two cells");
      break;
    }
    case ExtensionMode::kCount:
      break;
  }
}

void ProtocolPlayer::ChangeObjects(ObjectsMode mode) {
  switch (mode) {
    case ObjectsMode::kNewOther:
      m_slots[m_current ^ 1].reset();
      m_current ^= 1;
      Current();
      break;
    case ObjectsMode::kDestroyOther:
      m_slots[m_current ^ 1].reset();
      break;
    case ObjectsMode::kSwitch:
      m_current ^= 1;
      break;
    case ObjectsMode::kReplaceCurrent:
      m_slots[m_current].reset();
      Current();
      break;
    case ObjectsMode::kCount:
      break;
  }
}

void ProtocolPlayer::CheckQueries() {
  const int tiles = Current().InputEvent(L"type,256;");
  if (tiles < -1 || tiles > kMaxTiles) Broken("tiles left stay within the board");
}

}  // namespace kavelo::fuzz
