#include "play/artwork/SoundSynth.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kavelo::artwork {
namespace {

// Longest sound the synthesizer mixes; far above any effect, keeps a bad length bounded.
constexpr float kMaxSeconds = 10;
// Harmonics of the buzz stay below this, well under half the sample rate, so none folds back.
constexpr float kBuzzTopHz = 8000;

float WaveAt(Wave wave, double phase, float hz) {
  switch (wave) {
    case Wave::kSine:
      return static_cast<float>(std::sin(phase));
    case Wave::kBell:
      return static_cast<float>(std::sin(phase) + 0.35 * std::sin(2 * phase) + 0.12 * std::sin(3 * phase)) / 1.47f;
    case Wave::kBuzz: {
      double sum = 0;
      for (int k = 1; static_cast<float>(k) * hz < kBuzzTopHz; k += 2) sum += std::sin(k * phase) / k;
      return static_cast<float>(sum);
    }
  }
  return 0;
}

// A linear ramp over kFadeSeconds at both ends of a span of `count` samples.
float EdgeRamp(std::size_t index, std::size_t count) {
  const float ramp = kFadeSeconds * kSampleRate;
  const float fromStart = static_cast<float>(index) / ramp;
  const float fromEnd = static_cast<float>(count - 1 - index) / ramp;
  return std::clamp(std::min(fromStart, fromEnd), 0.0f, 1.0f);
}

}  // namespace

SoundMix::SoundMix(float seconds)
    : m_samples(static_cast<std::size_t>(std::clamp(seconds, 0.0f, kMaxSeconds) * kSampleRate), 0.0f) {}

void SoundMix::Add(const Voice& voice) {
  if (!(voice.length > 0) || !(voice.start >= 0) || !(voice.fromHz > 0) || !(voice.toHz > 0)) return;
  const auto first = static_cast<std::size_t>(voice.start * kSampleRate);
  if (first >= m_samples.size()) return;
  const auto count = std::min(static_cast<std::size_t>(voice.length * kSampleRate), m_samples.size() - first);
  if (count < 2) return;
  const double glide = std::log(static_cast<double>(voice.toHz) / voice.fromHz);
  double phase = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const float t = static_cast<float>(i) / kSampleRate;
    const float share = static_cast<float>(i) / static_cast<float>(count);
    const auto hz = static_cast<float>(voice.fromHz * std::exp(glide * share));
    const float decay = voice.decay > 0 ? std::exp(-t / voice.decay) : 1.0f;
    m_samples[first + i] += voice.level * decay * EdgeRamp(i, count) * WaveAt(voice.wave, phase, hz);
    phase += 2 * std::numbers::pi * hz / kSampleRate;
  }
}

std::vector<std::int16_t> SoundMix::ToPcm16(float peak) const {
  float loudest = 0;
  for (float s : m_samples) loudest = std::max(loudest, std::abs(s));
  const float gain = loudest > 0 ? std::clamp(peak, 0.0f, 1.0f) / loudest : 0.0f;
  std::vector<std::int16_t> pcm(m_samples.size());
  for (std::size_t i = 0; i < m_samples.size(); ++i) {
    const float v = std::clamp(m_samples[i] * gain * EdgeRamp(i, m_samples.size()), -1.0f, 1.0f);
    pcm[i] = static_cast<std::int16_t>(std::lround(v * 32767.0f));
  }
  return pcm;
}

}  // namespace kavelo::artwork
