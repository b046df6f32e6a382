#include "play/artwork/SoundEffects.h"

#include "play/artwork/SoundSynth.h"

namespace kavelo::artwork {
namespace {

// Loudest sample of every effect; leaves headroom and keeps the effects equally loud.
constexpr float kPeak = 0.7f;

// Pitches of the equal-tempered notes used below.
constexpr float kG5 = 783.99f;
constexpr float kC5 = 523.25f;
constexpr float kE5 = 659.26f;
constexpr float kC6 = 1046.50f;
constexpr float kE6 = 1318.51f;
constexpr float kG6 = 1567.98f;

// A short bright blip: a selection was made.
std::vector<std::int16_t> Choose() {
  SoundMix mix(0.12f);
  mix.Add({.start = 0, .length = 0.12f, .fromHz = 1500, .toHz = 1150, .wave = Wave::kSine, .level = 0.8f, .decay = 0.035f});
  mix.Add({.start = 0, .length = 0.05f, .fromHz = 3000, .toHz = 2300, .wave = Wave::kSine, .level = 0.25f, .decay = 0.015f});
  return mix.ToPcm16(kPeak);
}

// A soft falling tone: the selection was dropped.
std::vector<std::int16_t> Cancel() {
  SoundMix mix(0.28f);
  mix.Add({.start = 0, .length = 0.28f, .fromHz = 720, .toHz = 300, .wave = Wave::kBell, .level = 0.8f, .decay = 0.12f});
  return mix.ToPcm16(kPeak);
}

// Two low buzzes, slightly out of tune with each other: the pair does not match.
std::vector<std::int16_t> Wrong() {
  SoundMix mix(0.4f);
  for (float start : {0.0f, 0.2f}) {
    mix.Add({.start = start, .length = 0.17f, .fromHz = 130, .toHz = 115, .wave = Wave::kBuzz, .level = 0.5f, .decay = 0.2f});
    mix.Add({.start = start, .length = 0.17f, .fromHz = 137, .toHz = 121, .wave = Wave::kBuzz, .level = 0.4f, .decay = 0.2f});
  }
  return mix.ToPcm16(kPeak);
}

// Two rising chime notes: a pair was linked and removed.
std::vector<std::int16_t> Connect() {
  SoundMix mix(0.5f);
  mix.Add({.start = 0, .length = 0.3f, .fromHz = kG5, .toHz = kG5, .wave = Wave::kBell, .level = 0.6f, .decay = 0.1f});
  mix.Add({.start = 0.1f, .length = 0.4f, .fromHz = kC6, .toHz = kC6, .wave = Wave::kBell, .level = 0.7f, .decay = 0.14f});
  mix.Add({.start = 0.1f, .length = 0.25f, .fromHz = kG6, .toHz = kG6, .wave = Wave::kSine, .level = 0.15f, .decay = 0.06f});
  return mix.ToPcm16(kPeak);
}

// A rising arpeggio that ends on a held chord: the board is clear.
std::vector<std::int16_t> Win() {
  SoundMix mix(0.95f);
  const float notes[] = {kC5, kE5, kG5, kC6, kE6};
  float start = 0;
  for (float hz : notes) {
    mix.Add({.start = start, .length = 0.22f, .fromHz = hz, .toHz = hz, .wave = Wave::kBell, .level = 0.5f, .decay = 0.09f});
    start += 0.09f;
  }
  for (float hz : {kC5, kE5, kG5, kC6}) {
    mix.Add({.start = start, .length = 0.95f - start, .fromHz = hz, .toHz = hz, .wave = Wave::kBell, .level = 0.3f, .decay = 0.22f});
  }
  return mix.ToPcm16(kPeak);
}

}  // namespace

std::string_view SoundFileName(SoundEffect effect) {
  switch (effect) {
    case SoundEffect::kChoose: return "choose.wav";
    case SoundEffect::kCancel: return "cancel.wav";
    case SoundEffect::kWrong: return "wrong.wav";
    case SoundEffect::kConnect: return "connect.wav";
    case SoundEffect::kWin: return "win.wav";
  }
  return "unknown.wav";
}

std::vector<std::int16_t> SynthesizeSound(SoundEffect effect) {
  switch (effect) {
    case SoundEffect::kChoose: return Choose();
    case SoundEffect::kCancel: return Cancel();
    case SoundEffect::kWrong: return Wrong();
    case SoundEffect::kConnect: return Connect();
    case SoundEffect::kWin: return Win();
  }
  return {};
}

}  // namespace kavelo::artwork
