#include "WindowPlay.h"

#include <SDL.h>

#include <cstdio>
#include <memory>
#include <string>

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

  std::string title;
  std::string shared;  // the daily result, printed once it is won
  for (bool quit = false; !quit;) {
    // Sleep until an input event or the plug-in's next timer, then serve both.
    SDL_Event e;
    const int timeout = KaveloTimeoutMs();
    bool got = SDL_WaitEventTimeout(&e, timeout < 0 ? 100 : timeout) != 0;
    bool exposed = false;
    for (; got && !quit; got = SDL_PollEvent(&e) != 0) {
      if (e.type == SDL_QUIT) {
        quit = true;
      } else if (e.type == SDL_WINDOWEVENT) {
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST || e.window.event == SDL_WINDOWEVENT_MINIMIZED) {
          session.LoseFocus();
        }
        exposed = exposed || e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED;
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
    if (!host.TakeFrame() && !exposed) continue;
    // Only the rows that changed go to the texture; the window is presented whole.
    const RowBand rows = session.ComposeFrame();
    if (!rows.Empty()) {
      const int pitch = host.FrameWidth() * 4;
      const SDL_Rect band{0, rows.first, host.FrameWidth(), rows.count};
      SDL_UpdateTexture(texture.get(), &band, session.ShownFrame().data() + static_cast<std::size_t>(rows.first) * pitch,
                        pitch);
    }
    if (!rows.Empty() || exposed) {
      SDL_RenderClear(renderer.get());
      SDL_RenderCopy(renderer.get(), texture.get(), nullptr, nullptr);
      SDL_RenderPresent(renderer.get());
    }
    if (std::string now = session.Title(); now != title) {
      title = std::move(now);
      SDL_SetWindowTitle(window.get(), title.c_str());
    }
    if (session.ShareLine() != shared) std::printf("%s\n", (shared = session.ShareLine()).c_str());
  }
  session.Quit();
  return WindowResult::Quit;
}

}  // namespace kavelo::play
