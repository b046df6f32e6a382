#include "KeyMap.h"

#include <SDL.h>

namespace kavelo::play {

PlayKey KeyOf(int code, bool ctrl, bool shift) {
  switch (code) {
    case SDLK_LEFT: return PlayKey::Left;
    case SDLK_RIGHT: return PlayKey::Right;
    case SDLK_UP: return PlayKey::Up;
    case SDLK_DOWN: return PlayKey::Down;
    case SDLK_SPACE: case SDLK_RETURN: case SDLK_KP_ENTER: return PlayKey::Click;
    case SDLK_p: return PlayKey::Pause;
    case SDLK_m: return PlayKey::Mute;
    case SDLK_s: return PlayKey::Shuffle;
    case SDLK_n: return PlayKey::NewGame;
    case SDLK_a: return PlayKey::Replay;
    case SDLK_d: return PlayKey::Daily;
    case SDLK_h: return PlayKey::Hint;
    case SDLK_u: return PlayKey::Undo;
    case SDLK_r: case SDLK_y: return code == SDLK_y && !ctrl ? PlayKey::None : PlayKey::Redo;
    case SDLK_z: return !ctrl ? PlayKey::None : shift ? PlayKey::Redo : PlayKey::Undo;
    case SDLK_ESCAPE: return PlayKey::Quit;
    default: return PlayKey::None;
  }
}

}  // namespace kavelo::play
