#pragma once
// The sound player.
class CKaveloSoundPlayer {
 public:
  virtual ~CKaveloSoundPlayer() = default;
};
