// The C interface: each function checks its arguments and runs the game's own
// CKaveloFather operation through WithGame.
#include <PlgKavelo/Kavelo.h>

#include <algorithm>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "KaveloGame.h"
#include "platform/TextCodec.h"

using kavelo::host::WithGame;

namespace {

// A command or event text as the game takes it: wide texts as they are, UTF-8 texts
// widened (none when too long to widen).
std::optional<std::wstring> Widened(const wchar_t* text) { return std::wstring(text); }
std::optional<std::wstring> Widened(const char* text) { return kavelo::platform::NarrowToWide(text); }

// Runs `call` on the game with the text: -1 for a null text or one that cannot be widened.
template <typename Char, typename Call>
int WithText(KaveloGame* game, const Char* text, Call&& call) {
  if (text == nullptr) return -1;
  return WithGame(game, [&](KaveloGame& g) {
    const auto wide = Widened(text);
    return wide ? call(g, *wide) : -1;
  });
}

int SetGameParam(KaveloGame& game, const std::wstring& command) { return game.SetGameParam(command); }
int InputEvent(KaveloGame& game, const std::wstring& event) { return game.InputEvent(event); }

}  // namespace

extern "C" {

KaveloGame* KaveloCreate(const KaveloHostDesc* host) {
  try {
    return new (std::nothrow) KaveloGame(host ? *host : KaveloHostDesc{});
  } catch (...) {
    return nullptr;
  }
}

void KaveloDestroy(KaveloGame* game) {
  try {
    kavelo::host::DestroyGame(game);
  } catch (...) {
  }
}

int KaveloAllocGdiData(KaveloGame* game, char* pixels, int width, int height, int bits) {
  return WithGame(game, [&](KaveloGame& g) { return g.AllocGdiData(pixels, width, height, bits); });
}

int KaveloSetGameParam(KaveloGame* game, const wchar_t* command) { return WithText(game, command, SetGameParam); }

int KaveloSetGameParamUtf8(KaveloGame* game, const char* command) { return WithText(game, command, SetGameParam); }

int KaveloInputEvent(KaveloGame* game, const wchar_t* event) { return WithText(game, event, InputEvent); }

int KaveloInputEventUtf8(KaveloGame* game, const char* event) { return WithText(game, event, InputEvent); }

int KaveloFindHint(KaveloGame* game, KaveloMove* move) {
  if (move == nullptr) return -1;
  return WithGame(game, [move](KaveloGame& g) { return g.FindHint(*move) ? 1 : 0; });
}

int KaveloSolve(KaveloGame* game, KaveloMove* moves, int capacity, int* count, int budgetMs) {
  if (count == nullptr || capacity < 0 || (moves == nullptr && capacity > 0)) return -1;
  return WithGame(game, [&](KaveloGame& g) {
    std::vector<KaveloMove> found;
    const KaveloSolveResult result = g.Solve(found, budgetMs);
    std::copy_n(found.begin(), std::min(found.size(), static_cast<std::size_t>(capacity)), moves);
    *count = static_cast<int>(found.size());
    return static_cast<int>(result);
  });
}

int KaveloFindSafeHint(KaveloGame* game, KaveloMove* move) {
  if (move == nullptr) return -1;
  return WithGame(game, [move](KaveloGame& g) { return g.FindSafeHint(*move) ? 1 : 0; });
}

int KaveloSetSolvableShuffles(KaveloGame* game, int on) {
  return WithGame(game, [on](KaveloGame& g) {
    g.SetSolvableShuffles(on != 0);
    return 0;
  });
}

int KaveloSetDeal(KaveloGame* game, int numbered, unsigned long long number) {
  return WithGame(game, [numbered, number](KaveloGame& g) {
    g.SetDeal(numbered != 0 ? std::optional<std::uint64_t>(number) : std::nullopt);
    return 0;
  });
}

int KaveloDealNumber(KaveloGame* game, unsigned long long* number) {
  if (number == nullptr) return -1;
  return WithGame(game, [number](KaveloGame& g) {
    const std::optional<std::uint64_t> dealt = g.DealNumber();
    *number = dealt.value_or(0);
    return dealt ? 1 : 0;
  });
}

int KaveloSetGravity(KaveloGame* game, int gravity) {
  return WithGame(game, [gravity](KaveloGame& g) { return g.SetGravity(gravity) ? 0 : -1; });
}

int KaveloGravity(KaveloGame* game) {
  return WithGame(game, [](KaveloGame& g) { return g.Gravity(); });
}

int KaveloUndo(KaveloGame* game) {
  return WithGame(game, [](KaveloGame& g) { return g.Undo() ? 1 : 0; });
}

int KaveloRedo(KaveloGame* game) {
  return WithGame(game, [](KaveloGame& g) { return g.Redo() ? 1 : 0; });
}

int KaveloChangedRows(KaveloGame* game, int* first) {
  if (first == nullptr) return -1;
  return WithGame(game, [first](KaveloGame& g) { return g.ChangedRows(*first); });
}

int KaveloPause(KaveloGame* game, int on) {
  return WithGame(game, [on](KaveloGame& g) {
    g.Pause(on != 0);
    return 0;
  });
}

int KaveloPaused(KaveloGame* game) {
  return WithGame(game, [](KaveloGame& g) { return g.Paused() ? 1 : 0; });
}

int KaveloSaveGame(KaveloGame* game, unsigned char* buffer, size_t capacity, size_t* size) {
  if (size != nullptr) *size = 0;
  if (buffer == nullptr && capacity > 0) return -1;
  return WithGame(game, [&](KaveloGame& g) {
    std::vector<unsigned char> bytes;
    const bool saved = g.SaveGame(bytes);
    if (size != nullptr) *size = bytes.size();
    if (!saved) return -1;
    if (capacity == 0) return 0;  // the size only
    if (capacity < bytes.size()) return -1;
    std::copy(bytes.begin(), bytes.end(), buffer);
    return 0;
  });
}

int KaveloLoadGame(KaveloGame* game, const unsigned char* bytes, size_t size) {
  if (bytes == nullptr) return -1;
  return WithGame(game, [&](KaveloGame& g) { return g.LoadGame(bytes, size); });
}

}  // extern "C"
