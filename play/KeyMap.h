#pragma once
// What a key does in kavelo-play, whatever the window system calls the key.

namespace kavelo::play {

enum class PlayKey { None, Left, Right, Up, Down, Click, Pause, Mute, Shuffle, NewGame, Hint, Undo, Redo, Quit };

// `code` is the window system's own key code (an SDL keycode, a Windows virtual key).
PlayKey KeyOf(int code, bool ctrl, bool shift);

}  // namespace kavelo::play
