#include "WindowPlay.h"

#include <SDL.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BannerFont.h"
#include "PlaySession.h"

namespace kavelo::play {
namespace {

struct SdlDeleter {
  void operator()(SDL_Window* w) const { SDL_DestroyWindow(w); }
  void operator()(SDL_Renderer* r) const { SDL_DestroyRenderer(r); }
  void operator()(SDL_Texture* t) const { SDL_DestroyTexture(t); }
};
template <typename T>
using SdlPtr = std::unique_ptr<T, SdlDeleter>;

void DrawText(SDL_Renderer* renderer, const std::string& text, int centreX, int top, int scale) {
  const int width = static_cast<int>(text.size()) * (kGlyphWidth + 1) * scale;
  const int left = centreX - width / 2;
  ForEachTextPixel(text, [&](int x, int y) {
    const SDL_Rect r{left + x * scale, top + y * scale, scale, scale};
    SDL_RenderFillRect(renderer, &r);
  });
}

void DrawBanner(SDL_Renderer* renderer, PlayHost& host, const std::string& title, SDL_Color colour,
                const std::string& line) {
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 215);
  const SDL_Rect band{0, host.FrameHeight() / 2 - 60, host.FrameWidth(), 120};
  SDL_RenderFillRect(renderer, &band);
  SDL_SetRenderDrawColor(renderer, colour.r, colour.g, colour.b, 255);
  DrawText(renderer, title, host.FrameWidth() / 2, band.y + 16, 6);
  SDL_SetRenderDrawColor(renderer, 235, 235, 235, 255);
  DrawText(renderer, line, host.FrameWidth() / 2, band.y + 76, 3);
}

void DrawOverlay(SDL_Renderer* renderer, PlayHost& host, const PlaySession& session) {
  const Overlay& overlay = session.CurrentOverlay();
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
  const std::string score = "SCORE " + std::to_string(host.Status().score) + " - PRESS N FOR A NEW GAME";
  switch (host.GameOutcome()) {
    case Outcome::Won: return DrawBanner(renderer, host, "YOU WON!", {120, 255, 140, 255}, score);
    case Outcome::Lost: return DrawBanner(renderer, host, "TIME IS UP", {255, 110, 100, 255}, score);
    case Outcome::Playing: break;
  }
  if (session.Paused()) {
    DrawBanner(renderer, host, "PAUSED", {140, 200, 255, 255}, "PRESS P OR CLICK TO GO ON");
  } else if (overlay.noMoveLeft) {
    DrawBanner(renderer, host, "NO MOVE LEFT", {255, 220, 90, 255}, "PRESS S TO SHUFFLE");
  }
}

}  // namespace

WindowResult PlayInWindow(const PlaySettings& settings, GameKeeper& keeper) {
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
  PlaySession session(host, settings, keeper);
  if (!texture || !session.Start()) return WindowResult::SetUpFailed;

  for (bool quit = false; !quit;) {
    // Sleep until an input event or the plug-in's next timer, then serve both.
    SDL_Event e;
    const int timeout = KaveloTimeoutMs();
    bool got = SDL_WaitEventTimeout(&e, timeout < 0 ? 100 : timeout) != 0;
    for (; got && !quit; got = SDL_PollEvent(&e) != 0) {
      if (e.type == SDL_QUIT) {
        quit = true;
      } else if (e.type == SDL_WINDOWEVENT &&
                 (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST || e.window.event == SDL_WINDOWEVENT_MINIMIZED)) {
        session.LoseFocus();
      } else if (e.type == SDL_MOUSEBUTTONDOWN && e.button.button == SDL_BUTTON_LEFT) {
        session.Click(host.CellAt(e.button.x, e.button.y));  // logical frame pixels
      } else if (e.type == SDL_KEYDOWN) {
        const PlayKey key = KeyOf(e.key.keysym.sym, (e.key.keysym.mod & KMOD_CTRL) != 0,
                                  (e.key.keysym.mod & KMOD_SHIFT) != 0);
        if (key == PlayKey::Quit) quit = true;
        else session.Press(key);
      }
    }
    if (quit) break;
    KaveloDispatchTimers();
    if (!host.TakeFrame()) continue;
    SDL_UpdateTexture(texture.get(), nullptr, session.ShownFrame().data(), host.FrameWidth() * 4);
    SDL_RenderClear(renderer.get());
    SDL_RenderCopy(renderer.get(), texture.get(), nullptr, nullptr);
    DrawOverlay(renderer.get(), host, session);
    SDL_RenderPresent(renderer.get());
    SDL_SetWindowTitle(window.get(), session.Title().c_str());
  }
  session.Quit();
  return WindowResult::Quit;
}

}  // namespace kavelo::play
