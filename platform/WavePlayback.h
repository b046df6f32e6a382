#pragma once
// Background playback of WAV files, one sound at a time, process-wide like the system
// service it stands for. Back ends: SDL2 audio (sdl/), the system's PlaySoundW (win32/)
// and Web Audio (web/; silent until the page has had a gesture and hands the module its
// AudioContext).
//
// A play request returns at once; the sound is read and played in the background. While
// a sound is loading or playing, a new request is dropped; the sound that plays is never
// cut off and nothing is queued. Every failure (no audio driver, a device that will not
// open, an empty path, a missing, unreadable or malformed file) ends in silence and leaves
// the playback ready for the next request.
//
// Its users (the sound players) hold a reference each. On SDL the audio subsystem and
// device are opened at the first sound actually played and closed when the last reference
// goes; SDL_Quit is never called, since a host may use SDL itself, and the audio subsystem
// is initialised and quit by reference count on the thread that plays, the host's thread.

#include <chrono>
#include <string>

namespace kavelo::platform {

enum class WavePlaybackState { kIdle, kLoading, kPlaying };

// How long the last Release waits for a playing sound to end before it closes the device:
// a short effect finishes, a long file never holds the host's thread longer.
inline constexpr std::chrono::milliseconds kWaveShutdownDrain{1000};

// Takes and drops a reference to the playback. Release without a matching Acquire does
// nothing. The last Release stops the worker, lets a playing sound end (at most
// kWaveShutdownDrain) and closes the device.
void AcquireWavePlayback();
void ReleaseWavePlayback();

// Starts playing the WAV file at a UTF-8 path in the background and returns at once. The
// path is taken over, so the caller's string may go. Dropped while another sound loads or
// plays, and while no reference is held.
void PlayWaveFile(std::string path);

// What the playback is doing now.
WavePlaybackState CurrentWavePlayback();
// Waits until no sound is loading (one may be playing); true when that happened in time.
bool WaitWaveLoaded(std::chrono::milliseconds timeout);
// Waits until no sound is loading or playing; true when that happened in time.
bool WaitWavePlaybackIdle(std::chrono::milliseconds timeout);

}  // namespace kavelo::platform
