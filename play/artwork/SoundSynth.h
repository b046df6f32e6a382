#pragma once
// A small additive synthesizer: voices (a tone that may glide from one pitch to another,
// with a quick attack and an exponential decay) are mixed into a buffer, which is then
// faded at both ends and turned into 16-bit samples.

#include <cstdint>
#include <vector>

namespace kavelo::artwork {

constexpr int kSampleRate = 22050;
// Every voice starts and ends with at least this ramp, and so does the whole sound, so
// that no step in the waveform is heard as a click.
constexpr float kFadeSeconds = 0.006f;

enum class Wave {
  kSine,
  kBell,  // a sine with a few soft overtones
  kBuzz,  // odd harmonics up to the audible top: a hollow, reedy square
};

struct Voice {
  float start = 0;     // seconds into the sound
  float length = 0.1f;  // seconds, release included
  float fromHz = 440;
  float toHz = 440;    // the pitch glides exponentially from fromHz to toHz over the length
  Wave wave = Wave::kSine;
  float level = 0.5f;   // peak amplitude, 1 being full scale
  float decay = 0;      // time constant of the exponential decay in seconds; 0 holds the level
};

class SoundMix {
 public:
  explicit SoundMix(float seconds);
  // Adds the voice; the parts of it past the end of the sound are cut.
  void Add(const Voice& voice);
  // Scales the mix so its loudest sample reaches `peak` (0..1), fades both ends and
  // rounds to 16-bit samples.
  std::vector<std::int16_t> ToPcm16(float peak) const;
  const std::vector<float>& Samples() const { return m_samples; }

 private:
  std::vector<float> m_samples;
};

}  // namespace kavelo::artwork
