#pragma once
// What a key does in kavelo-play, whatever the window system calls the key.

#include <string_view>

namespace kavelo::play {

enum class PlayKey { None, Left, Right, Up, Down, Click, Pause, Mute, Shuffle, NewGame, Replay, Daily, Hint, Undo, Redo, Quit };

// `code` is the window system's own key code (an SDL keycode, a Windows virtual key, a
// browser's keyCode).
PlayKey KeyOf(int code, bool ctrl, bool shift);

// The key a button stands for: "hint", "shuffle", "undo", "redo", "pause", "sound",
// "new", "replay", "daily"; None for any other name.
PlayKey KeyNamed(std::string_view name);

}  // namespace kavelo::play
