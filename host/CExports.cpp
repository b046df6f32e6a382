// The C interface: each function checks its arguments and runs the game's own
// CKaveloFather operation through WithGame.
#include <PlgKavelo/Kavelo.h>

#include <new>
#include <string>

#include "KaveloGame.h"
#include "platform/TextCodec.h"

using kavelo::host::WithGame;

namespace {

// Widens a UTF-8 text and runs `call` with it; -1 when the text is too long to widen.
template <typename Call>
int WithWide(const char* text, Call&& call) {
  const auto wide = kavelo::platform::NarrowToWide(text);
  return wide ? call(*wide) : -1;
}

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

int KaveloSetGameParam(KaveloGame* game, const wchar_t* command) {
  if (command == nullptr) return -1;
  return WithGame(game, [command](KaveloGame& g) { return g.SetGameParam(command); });
}

int KaveloSetGameParamUtf8(KaveloGame* game, const char* command) {
  if (command == nullptr) return -1;
  return WithGame(game, [command](KaveloGame& g) {
    return WithWide(command, [&g](const std::wstring& text) { return g.SetGameParam(text); });
  });
}

int KaveloInputEvent(KaveloGame* game, const wchar_t* event) {
  if (event == nullptr) return -1;
  return WithGame(game, [event](KaveloGame& g) { return g.InputEvent(event); });
}

int KaveloInputEventUtf8(KaveloGame* game, const char* event) {
  if (event == nullptr) return -1;
  return WithGame(game, [event](KaveloGame& g) {
    return WithWide(event, [&g](const std::wstring& text) { return g.InputEvent(text); });
  });
}

int KaveloFindHint(KaveloGame* game, KaveloMove* move) {
  if (move == nullptr) return -1;
  return WithGame(game, [move](KaveloGame& g) { return g.FindHint(*move) ? 1 : 0; });
}

}  // extern "C"
