#pragma once
// The game's five sound effects, synthesized: one for each click outcome.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace kavelo::artwork {

enum class SoundEffect { kChoose, kCancel, kWrong, kConnect, kWin };
constexpr std::array<SoundEffect, 5> kSoundEffects = {SoundEffect::kChoose, SoundEffect::kCancel, SoundEffect::kWrong,
                                                      SoundEffect::kConnect, SoundEffect::kWin};

// The file name the effect is written under, e.g. "choose.wav".
std::string_view SoundFileName(SoundEffect effect);
// 16-bit mono samples at kSampleRate.
std::vector<std::int16_t> SynthesizeSound(SoundEffect effect);

}  // namespace kavelo::artwork
