#include "WindowPlay.h"

#include <SDL.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BannerFont.h"
#include "PlayHost.h"

namespace kavelo::play {
namespace {

struct SdlDeleter {
  void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
  void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
  void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
};
template <typename T>
using SdlPtr = std::unique_ptr<T, SdlDeleter>;

// What the window shows besides the frame: the hint and the end of the game.
struct Overlay {
  std::optional<KaveloMove> hint;
  bool noMoveLeft = false;
};

void DrawText(SDL_Renderer* renderer, const std::string& text, int centreX, int top, int scale) {
  const int width = static_cast<int>(text.size()) * (kGlyphWidth + 1) * scale;
  const int left = centreX - width / 2;
  ForEachTextPixel(text, [&](int x, int y) {
    const SDL_Rect r{left + x * scale, top + y * scale, scale, scale};
    SDL_RenderFillRect(renderer, &r);
  });
}

void DrawOverlay(SDL_Renderer* renderer, PlayHost& host, const Overlay& overlay) {
  const int cw = host.Query(KAVELO_QUERY_CELL_WIDTH), ch = host.Query(KAVELO_QUERY_CELL_HEIGHT);
  if (overlay.hint) {
    SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
    for (const Cell c : {Cell{overlay.hint->x1, overlay.hint->y1}, Cell{overlay.hint->x2, overlay.hint->y2}}) {
      for (int inset = 0; inset < 3; ++inset) {
        const SDL_Rect r{host.BoardLeft() + c.x * cw + inset, host.BoardTop() + c.y * ch + inset, cw - 2 * inset,
                         ch - 2 * inset};
        SDL_RenderDrawRect(renderer, &r);
      }
    }
  }
  const Outcome outcome = host.GameOutcome();
  if (outcome == Outcome::Playing && !overlay.noMoveLeft) return;
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 215);
  const SDL_Rect band{0, host.FrameHeight() / 2 - 60, host.FrameWidth(), 120};
  SDL_RenderFillRect(renderer, &band);
  const GameStatus s = host.Status();
  std::string title, line = "SCORE " + std::to_string(s.score) + " - PRESS N FOR A NEW GAME";
  if (outcome == Outcome::Won) {
    SDL_SetRenderDrawColor(renderer, 120, 255, 140, 255), title = "YOU WON!";
  } else if (outcome == Outcome::Lost) {
    SDL_SetRenderDrawColor(renderer, 255, 110, 100, 255), title = "TIME IS UP";
  } else {
    SDL_SetRenderDrawColor(renderer, 255, 220, 90, 255), title = "NO MOVE LEFT", line = "PRESS S TO SHUFFLE";
  }
  DrawText(renderer, title, host.FrameWidth() / 2, band.y + 16, 6);
  SDL_SetRenderDrawColor(renderer, 235, 235, 235, 255);
  DrawText(renderer, line, host.FrameWidth() / 2, band.y + 76, 3);
}

// How long the check after a move may take: well inside a frame's tenth of a second.
constexpr int kCheckBudgetMs = 5;

// Whether the board can still be cleared, as far as a short solver run can tell.
std::string Outlook(PlayHost& host) {
  if (host.GameOutcome() != Outcome::Playing) return "";
  std::vector<KaveloMove> moves;
  switch (host.Solve(moves, kCheckBudgetMs)) {
    case KaveloSolved: return "  -  clearable";
    case KaveloUnsolvable: return "  -  dead end";
    default: return "";
  }
}

std::string Title(PlayHost& host, const std::string& outlook) {
  const GameStatus s = host.Status();
  std::string state = host.GameOutcome() == Outcome::Won ? "  -  WON" : host.GameOutcome() == Outcome::Lost ? "  -  LOST" : "";
  return "kavelo-play  -  score " + std::to_string(s.score) + "  pairs " + std::to_string(s.pairs) + "  misses " +
         std::to_string(s.misses) + "  " + std::to_string(s.secondsLeft) + " s left" + state + outlook;
}

enum class KeyAction { None, Undo, Redo };

KeyAction HistoryKey(const SDL_Keysym& key) {
  const bool ctrl = (key.mod & KMOD_CTRL) != 0, shift = (key.mod & KMOD_SHIFT) != 0;
  if (key.sym == SDLK_u || (key.sym == SDLK_z && ctrl && !shift)) return KeyAction::Undo;
  if (key.sym == SDLK_r || (key.sym == SDLK_y && ctrl) || (key.sym == SDLK_z && ctrl && shift)) return KeyAction::Redo;
  return KeyAction::None;
}

}  // namespace

WindowResult PlayInWindow(const PlaySettings& settings) {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return WindowResult::NoDisplay;
  PlayHost host(settings);
  SdlPtr<SDL_Window> window(SDL_CreateWindow("kavelo-play", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                             host.FrameWidth(), host.FrameHeight(), SDL_WINDOW_RESIZABLE));
  if (!window) return WindowResult::NoDisplay;
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");  // crisp when the window is scaled
  SdlPtr<SDL_Renderer> renderer(SDL_CreateRenderer(window.get(), -1, 0));
  if (!renderer) return WindowResult::NoDisplay;
  SDL_RenderSetLogicalSize(renderer.get(), host.FrameWidth(), host.FrameHeight());
  SdlPtr<SDL_Texture> texture(SDL_CreateTexture(renderer.get(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                                host.FrameWidth(), host.FrameHeight()));
  if (!texture || !host.NewGame()) return WindowResult::SetUpFailed;

  Overlay overlay;
  bool boardChanged = true;  // the outlook in the title needs a new look
  std::string outlook;
  for (;;) {
    // Sleep until an input event or the plug-in's next timer, then serve both.
    SDL_Event e;
    const int timeout = KaveloTimeoutMs();
    bool got = SDL_WaitEventTimeout(&e, timeout < 0 ? 100 : timeout) != 0;
    for (; got; got = SDL_PollEvent(&e) != 0) {
      if (e.type == SDL_QUIT) return WindowResult::Quit;
      if (e.type == SDL_MOUSEBUTTONDOWN && e.button.button == SDL_BUTTON_LEFT) {
        overlay.hint.reset();
        host.Click(host.CellAt(e.button.x, e.button.y));  // logical frame pixels
        boardChanged = true;
      } else if (e.type == SDL_KEYDOWN && HistoryKey(e.key.keysym) != KeyAction::None) {
        if (HistoryKey(e.key.keysym) == KeyAction::Undo ? host.Undo() : host.Redo()) overlay = {};
        boardChanged = true;
      } else if (e.type == SDL_KEYDOWN) {
        boardChanged = true;
        switch (e.key.keysym.sym) {
          case SDLK_ESCAPE: return WindowResult::Quit;
          case SDLK_s: host.Shuffle(KAVELO_SHUFFLE_MIX), overlay = {}; break;
          case SDLK_n: host.NewGame(), overlay = {}; break;
          case SDLK_h: {
            KaveloMove move{};
            overlay.noMoveLeft = !host.FindSafeHint(move) && host.GameOutcome() == Outcome::Playing;
            overlay.hint = overlay.noMoveLeft ? std::nullopt : std::optional<KaveloMove>(move);
            break;
          }
          default: break;
        }
      }
    }
    KaveloDispatchTimers();
    if (!host.TakeFrame()) continue;
    SDL_UpdateTexture(texture.get(), nullptr, host.Frame().data(), host.FrameWidth() * 4);
    SDL_RenderClear(renderer.get());
    SDL_RenderCopy(renderer.get(), texture.get(), nullptr, nullptr);
    DrawOverlay(renderer.get(), host, overlay);
    SDL_RenderPresent(renderer.get());
    // Looked at once the frame is shown, and only after a move.
    if (boardChanged) outlook = Outlook(host), boardChanged = false;
    SDL_SetWindowTitle(window.get(), Title(host, outlook).c_str());
  }
}

}  // namespace kavelo::play
