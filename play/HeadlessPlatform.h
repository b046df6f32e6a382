#pragma once
// What a game that plays itself needs of the platform: its sounds kept quiet where they
// can be, and the plug-in's clock served on this thread, in real time or faster.

namespace kavelo::play {

// Before the game. With `fast` the clock jumps from timer to timer instead of waiting,
// where the platform's timers can be stepped; elsewhere it runs in real time.
void BeginHeadless(bool fast);
// Serves the clock once: waits for the next timer (or jumps to it) and runs it.
void ServeClock(bool fast);
// After the game: the clock follows real time again.
void EndHeadless(bool fast);

}  // namespace kavelo::play
