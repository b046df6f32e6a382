#include "sound/KaveloSoundPlayer.h"

#include <cstdint>
#include <type_traits>

#include "platform/TextCodec.h"
#include "platform/WavePlayback.h"

static_assert(std::is_same_v<int, std::int32_t>, "sound ids are 32-bit keys");

CKaveloSoundPlayer::CKaveloSoundPlayer() { kavelo::platform::AcquireWavePlayback(); }

CKaveloSoundPlayer::~CKaveloSoundPlayer() {
  m_sounds.Clear();
  kavelo::platform::ReleaseWavePlayback();
}

void CKaveloSoundPlayer::Play(int id) {
  std::wstring path;
  m_sounds.Find(id, path);
  // The playback takes over its own copy: this one ends with the call.
  if (auto narrow = kavelo::platform::WideToNarrow(path)) kavelo::platform::PlayWaveFile(std::move(*narrow));
}

void CKaveloSoundPlayer::AddSound(int id, std::wstring path) { m_sounds.Insert(id, std::move(path)); }
