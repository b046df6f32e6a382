#pragma once
// The sound player: the table of WAV files by sound id, and their playback. The game's
// sound ids are the protocol's KAVELO_SOUND_ numbers, each the click result that plays it.

#include <string>

#include "sound/SoundTree.h"

class CKaveloSoundPlayer {
 public:
  // Each player holds a reference to the process-wide wave playback while it exists; the
  // audio device closes with the last player.
  CKaveloSoundPlayer();
  virtual ~CKaveloSoundPlayer();
  CKaveloSoundPlayer(const CKaveloSoundPlayer&) = delete;
  CKaveloSoundPlayer& operator=(const CKaveloSoundPlayer&) = delete;

  // Plays the file stored under the id in the background and returns at once. An id
  // without an entry plays an empty path, which is silence; so is every failure. Dropped
  // while an earlier sound still loads or plays.
  virtual void Play(int id);
  // Stores the path under the id; an id that is present keeps its first path.
  virtual void AddSound(int id, std::wstring path);

 private:
  CSoundTree m_sounds;  // sound id to path
};
