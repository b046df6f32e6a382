// kavelo-play's page: the play core behind a small C interface for play.js, the shell
// that turns the page's events into these calls, serves the clock and shows the frames.
// Nothing here decides a rule or a word: the core does.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "DrawnArt.h"
#include "GameKeeper.h"
#include "LocalStore.h"
#include "OptionCheck.h"
#include "PlayAddress.h"
#include "PlaySession.h"
#include "bindings/web/module/CanvasRows.h"

using namespace kavelo::play;

struct KaveloPlay {
  PlaySettings settings;
  std::string refusal;  // why the address's options cannot be played; empty when they can
  LocalStore store;
  std::unique_ptr<GameKeeper> keeper;
  std::unique_ptr<PlayHost> host;
  std::unique_ptr<PlaySession> session;
  std::vector<std::uint8_t> rgba;  // the shown frame in the canvas's byte order
  std::string status, clock, address;  // the words last handed out, kept alive for the shell
};

// The pictures drawn for the page's screen, and the settings they were drawn for.
struct KaveloDrawn {
  DrawnArt art;
  PlaySettings settings;
};

namespace {

// No exception leaves the module: a call that runs out of memory does nothing.
template <typename Call>
auto Guarded(KaveloPlay* play, Call&& call, decltype(call()) otherwise) -> decltype(call()) {
  if (play == nullptr || !play->session) return otherwise;
  try {
    return call();
  } catch (...) {
    return otherwise;
  }
}

void Warn(const std::string& warning) { std::fprintf(stderr, "kavelo-play: %s\n", warning.c_str()); }

bool SetUp(KaveloPlay& play, const char* query, bool portrait, const char* artDir, const KaveloDrawn* drawn) {
  std::string error;
  std::optional<PlaySettings> settings = ParseSettings(AddressArguments(query), artDir, error);
  if (!settings) {
    play.refusal = error.substr(0, error.find('\n'));  // the reason, without the desktop's usage
    return false;
  }
  FitBoardTo(*settings, portrait);
  if (drawn && !drawn->art.Folder().empty()) settings->pictureDir = drawn->art.Folder(), settings->cell = drawn->settings.cell;
  play.settings = *settings;
  if (play.refusal = RefusedOptions(play.settings); !play.refusal.empty()) return false;
  play.keeper = std::make_unique<GameKeeper>(play.store, BoardOf(play.settings), Warn);
  play.host = std::make_unique<PlayHost>(play.settings);
  auto session = std::make_unique<PlaySession>(*play.host, play.settings, *play.keeper);
  if (!session->Start()) {
    play.refusal = "the game could not be set up from the artwork";
    return false;
  }
  play.session = std::move(session);
  play.rgba.assign(static_cast<std::size_t>(play.host->FrameWidth()) * play.host->FrameHeight() * 4, 0);
  return true;
}

}  // namespace

extern "C" {

// Draws the pictures for the board the address options deal, in their style, at the
// largest cell whose frame fits `width` x `height` device pixels (or the address's cell),
// into a folder of their own for the page to have decoded. Null when the address's
// options do not read or memory runs out; a folder (KaveloPlayDrawnFolder) empty when the
// installed art serves or the pictures could not be drawn.
EMSCRIPTEN_KEEPALIVE KaveloDrawn* KaveloPlayDraw(const char* query, int portrait, int width, int height) {
  if (query == nullptr) return nullptr;
  try {
    std::string error;
    const std::optional<PlaySettings> settings = ParseSettings(AddressArguments(query), "", error);
    if (!settings) return nullptr;
    auto drawn = std::make_unique<KaveloDrawn>();
    drawn->settings = *settings;
    FitBoardTo(drawn->settings, portrait != 0);
    if (drawn->settings.cell == 0) drawn->settings.cell = CellToFit(drawn->settings, width, height);
    std::string warning;
    drawn->art.Prepare(drawn->settings, warning);
    if (!warning.empty()) std::fprintf(stderr, "kavelo-play: %s\n", warning.c_str());
    return drawn.release();
  } catch (...) {
    return nullptr;
  }
}
EMSCRIPTEN_KEEPALIVE const char* KaveloPlayDrawnFolder(const KaveloDrawn* drawn) {
  return drawn ? drawn->art.Folder().c_str() : "";
}

// Reads the page's address options ("columns=10&rows=6"), deals the board (in portrait on
// a portrait screen) on the pictures `drawn` for it (the installed art when null) and
// resumes this board's saved game. Null only when memory runs out; a game that cannot be
// played answers its reason in KaveloPlayRefusal.
EMSCRIPTEN_KEEPALIVE KaveloPlay* KaveloPlayStart(const char* query, int portrait, const char* artDir,
                                                 const KaveloDrawn* drawn) {
  if (query == nullptr || artDir == nullptr) return nullptr;
  try {
    auto play = std::make_unique<KaveloPlay>();
    if (!SetUp(*play, query, portrait != 0, artDir, drawn)) play->session.reset();
    return play.release();
  } catch (...) {
    return nullptr;
  }
}

EMSCRIPTEN_KEEPALIVE void KaveloPlayEnd(KaveloPlay* play) { delete play; }

EMSCRIPTEN_KEEPALIVE const char* KaveloPlayRefusal(KaveloPlay* play) { return play ? play->refusal.c_str() : ""; }

EMSCRIPTEN_KEEPALIVE int KaveloPlayFrameWidth(KaveloPlay* play) {
  return Guarded(play, [&] { return play->host->FrameWidth(); }, 0);
}
EMSCRIPTEN_KEEPALIVE int KaveloPlayFrameHeight(KaveloPlay* play) {
  return Guarded(play, [&] { return play->host->FrameHeight(); }, 0);
}

// A key by the browser's keyCode: 1 when it is one of the game's, which the page then
// keeps from the browser.
EMSCRIPTEN_KEEPALIVE int KaveloPlayKey(KaveloPlay* play, int code, int ctrl, int shift) {
  return Guarded(play, [&] {
    const PlayKey key = KeyOf(code, ctrl != 0, shift != 0);
    if (key == PlayKey::None || key == PlayKey::Quit) return 0;
    play->session->Press(key);
    return 1;
  }, 0);
}

// A button by its name ("hint", "shuffle", "undo", "redo", "pause", "sound", "new").
EMSCRIPTEN_KEEPALIVE int KaveloPlayButton(KaveloPlay* play, const char* name) {
  return Guarded(play, [&] {
    const PlayKey key = name ? KeyNamed(name) : PlayKey::None;
    if (key != PlayKey::None) play->session->Press(key);
    return key == PlayKey::None ? 0 : 1;
  }, 0);
}

// A click or tap at a pixel of the frame.
EMSCRIPTEN_KEEPALIVE void KaveloPlayClick(KaveloPlay* play, int x, int y) {
  Guarded(play, [&] { return play->session->Click(play->host->CellAt(x, y)), 0; }, 0);
}

// The page lost the focus or was hidden: the game waits for P or a click.
EMSCRIPTEN_KEEPALIVE void KaveloPlayLoseFocus(KaveloPlay* play) {
  Guarded(play, [&] { return play->session->LoseFocus(), 0; }, 0);
}

// Keeps the game in progress, as the page may go away.
EMSCRIPTEN_KEEPALIVE void KaveloPlayKeep(KaveloPlay* play) { Guarded(play, [&] { return play->session->Keep(), 0; }, 0); }

// Composes the frame after the plug-in delivered one (or `force`, for the first): the
// changed rows are converted for the canvas; answers how many, from *first on.
EMSCRIPTEN_KEEPALIVE int KaveloPlayCompose(KaveloPlay* play, int force, int* first) {
  return Guarded(play, [&] {
    if (!play->host->TakeFrame() && force == 0) return 0;
    const RowBand rows = play->session->ComposeFrame();
    const auto* shown = reinterpret_cast<const std::uint8_t*>(play->session->ShownFrame().data());
    KaveloWebToRgba(shown, play->rgba.data(), play->host->FrameWidth(), rows.first, rows.count);
    if (first) *first = rows.first;
    return rows.count;
  }, 0);
}

// A tick drawn at once, as the clock draws one: the first frame, and the tests' held clock.
EMSCRIPTEN_KEEPALIVE void KaveloPlayTick(KaveloPlay* play) {
  Guarded(play, [&] { return play->host->InputEvent(L"type," KAVELO_TEXT(KAVELO_EVENT_TICK) L";"); }, 0);
}

EMSCRIPTEN_KEEPALIVE const std::uint8_t* KaveloPlayPixels(KaveloPlay* play) {
  return Guarded(play, [&] { return static_cast<const std::uint8_t*>(play->rgba.data()); }, nullptr);
}

EMSCRIPTEN_KEEPALIVE const char* KaveloPlayStatus(KaveloPlay* play) {
  return Guarded(play, [&] { return (play->status = play->session->StatusWords()).c_str(); }, "");
}
EMSCRIPTEN_KEEPALIVE const char* KaveloPlayClock(KaveloPlay* play) {
  return Guarded(play, [&] { return (play->clock = play->session->ClockWords()).c_str(); }, "");
}
// The address that plays this deal again ("deal=48213", "daily"): the page shows it.
EMSCRIPTEN_KEEPALIVE const char* KaveloPlayAddress(KaveloPlay* play) {
  return Guarded(play, [&] { return (play->address = play->session->Address()).c_str(); }, "");
}
// The cell drawn for this game and the one that would fit a room of `width` x `height`
// device pixels now: the page draws again when they differ enough.
EMSCRIPTEN_KEEPALIVE int KaveloPlayCell(KaveloPlay* play) {
  return Guarded(play, [&] { return play->host->CellWidth(); }, 0);
}
EMSCRIPTEN_KEEPALIVE int KaveloPlayCellToFit(KaveloPlay* play, int width, int height) {
  return Guarded(play, [&] { return CellToFit(play->settings, width, height); }, 0);
}
// The rule variant the page plays by, an index of kGravityNames (its choice's order).
EMSCRIPTEN_KEEPALIVE int KaveloPlayGravity(KaveloPlay* play) {
  return Guarded(play, [&] { return play->settings.gravity; }, 0);
}
// The day's result to share, empty until the day's deal is won without help.
EMSCRIPTEN_KEEPALIVE const char* KaveloPlayShareLine(KaveloPlay* play) {
  return Guarded(play, [&] { return play->session->ShareLine().c_str(); }, "");
}
EMSCRIPTEN_KEEPALIVE int KaveloPlaySoundOn(KaveloPlay* play) {
  return Guarded(play, [&] { return play->session->SoundsOn() ? 1 : 0; }, 0);
}
EMSCRIPTEN_KEEPALIVE int KaveloPlayPaused(KaveloPlay* play) {
  return Guarded(play, [&] { return play->session->Paused() ? 1 : 0; }, 0);
}

// For the page's tests: the board's origin and cell size in frame pixels, and the hinted
// pair (0 when none is marked).
EMSCRIPTEN_KEEPALIVE int KaveloPlayGeometry(KaveloPlay* play, int* out) {
  if (out == nullptr) return 0;
  return Guarded(play, [&] {
    const int values[4] = {play->host->BoardLeft(), play->host->BoardTop(), play->host->CellWidth(),
                           play->host->CellHeight()};
    for (int i = 0; i < 4; ++i) out[i] = values[i];
    return 1;
  }, 0);
}
EMSCRIPTEN_KEEPALIVE int KaveloPlayHinted(KaveloPlay* play, int* out) {
  if (out == nullptr) return 0;
  return Guarded(play, [&] {
    const std::optional<KaveloMove>& hint = play->session->HintedPair();
    if (!hint) return 0;
    const int values[4] = {hint->x1, hint->y1, hint->x2, hint->y2};
    for (int i = 0; i < 4; ++i) out[i] = values[i];
    return 1;
  }, 0);
}
EMSCRIPTEN_KEEPALIVE int KaveloPlayQuery(KaveloPlay* play, int query) {
  return Guarded(play, [&] { return play->host->Query(query); }, -1);
}
// The first pair of a clearing the solver finds, as the player could play it: no hint
// is marked and no help counted.
EMSCRIPTEN_KEEPALIVE int KaveloPlaySolvedPair(KaveloPlay* play, int* out) {
  if (out == nullptr) return 0;
  return Guarded(play, [&] {
    std::vector<KaveloMove> moves;
    if (play->host->Solve(moves, 2000) != KaveloSolved || moves.empty()) return 0;
    const int values[4] = {moves[0].x1, moves[0].y1, moves[0].x2, moves[0].y2};
    for (int i = 0; i < 4; ++i) out[i] = values[i];
    return 1;
  }, 0);
}

}  // extern "C"
