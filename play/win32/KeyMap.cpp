#include "KeyMap.h"

#include <windows.h>

namespace kavelo::play {

PlayKey KeyOf(int code, bool ctrl, bool shift) {
  switch (code) {
    case VK_LEFT: return PlayKey::Left;
    case VK_RIGHT: return PlayKey::Right;
    case VK_UP: return PlayKey::Up;
    case VK_DOWN: return PlayKey::Down;
    case VK_SPACE: case VK_RETURN: return PlayKey::Click;
    case 'P': return PlayKey::Pause;
    case 'M': return PlayKey::Mute;
    case 'S': return PlayKey::Shuffle;
    case 'N': return PlayKey::NewGame;
    case 'A': return PlayKey::Replay;
    case 'D': return PlayKey::Daily;
    case 'H': return PlayKey::Hint;
    case 'U': return PlayKey::Undo;
    case 'R': case 'Y': return code == 'Y' && !ctrl ? PlayKey::None : PlayKey::Redo;
    case 'Z': return !ctrl ? PlayKey::None : shift ? PlayKey::Redo : PlayKey::Undo;
    case VK_ESCAPE: return PlayKey::Quit;
    default: return PlayKey::None;
  }
}

}  // namespace kavelo::play
