// The browser's key codes (a KeyboardEvent's keyCode), which follow the layout-free
// codes of the desktop: letters as their capitals, the arrows 37 to 40.
#include "KeyMap.h"

namespace kavelo::play {

PlayKey KeyOf(int code, bool ctrl, bool shift) {
  switch (code) {
    case 37: return PlayKey::Left;
    case 39: return PlayKey::Right;
    case 38: return PlayKey::Up;
    case 40: return PlayKey::Down;
    case 32: case 13: return PlayKey::Click;
    case 'P': return PlayKey::Pause;
    case 'M': return PlayKey::Mute;
    case 'S': return ctrl ? PlayKey::None : PlayKey::Shuffle;  // Ctrl+S is the browser's own
    case 'N': return ctrl ? PlayKey::None : PlayKey::NewGame;
    case 'A': return ctrl ? PlayKey::None : PlayKey::Replay;  // Ctrl+A selects, Ctrl+D bookmarks
    case 'D': return ctrl ? PlayKey::None : PlayKey::Daily;
    case 'H': return PlayKey::Hint;
    case 'U': return PlayKey::Undo;
    case 'R': return ctrl ? PlayKey::None : PlayKey::Redo;  // Ctrl+R reloads the page
    case 'Y': return ctrl ? PlayKey::Redo : PlayKey::None;
    case 'Z': return !ctrl ? PlayKey::None : shift ? PlayKey::Redo : PlayKey::Undo;
    case 27: return PlayKey::Quit;
    default: return PlayKey::None;
  }
}

}  // namespace kavelo::play
