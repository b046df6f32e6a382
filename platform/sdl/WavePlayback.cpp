// Wave playback on SDL2 audio: a worker thread reads and converts each file, the audio
// device's callback plays it.
#include "platform/WavePlayback.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <semaphore>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/sdl/WaveFile.h"

namespace kavelo::platform {
namespace {

// About 21 ms at the output rate: short enough that a click is answered at once, long
// enough that the device is not starved on a busy machine.
constexpr Uint16 kDeviceBufferFrames = 1024;
// While a sound plays, the worker looks this often whether the device was lost (its
// callback then stops, and the sound would never end).
constexpr std::chrono::milliseconds kDeviceCheckInterval{250};

// Who may touch what: the state decides. Play moves it from idle to loading and hands
// over the path; the worker alone moves it on from loading, and writes the samples only
// while loading or idle; the device's callback reads the samples only while playing and
// moves playing to idle (the worker does so only for a device it has closed). The
// callback then only wakes the worker, which tells the waiters. So neither Play nor the
// callback ever waits for a lock.
class WaveEngine {
 public:
  WaveEngine() = default;
  ~WaveEngine();
  WaveEngine(const WaveEngine&) = delete;
  WaveEngine& operator=(const WaveEngine&) = delete;

  void Play(std::string path);
  WavePlaybackState State() const { return m_state.load(std::memory_order_acquire); }
  bool Wait(bool untilIdle, std::chrono::milliseconds timeout);

 private:
  void Run();
  void Load();
  void CheckDevice();
  bool OpenDevice();
  void SetState(WavePlaybackState state);
  void TellWaiters();
  static void SDLCALL Feed(void* engine, Uint8* stream, int len);

  // Host thread only.
  enum class Subsystem { kUntried, kReady, kFailed };
  Subsystem m_subsystem = Subsystem::kUntried;
  std::thread m_worker;

  // The worker only, and the destructor once the worker has ended.
  SDL_AudioDeviceID m_device = 0;

  std::atomic<WavePlaybackState> m_state{WavePlaybackState::kIdle};
  std::atomic<bool> m_closing{false};  // no sound starts any more; the worker still runs
  std::atomic<bool> m_stop{false};
  std::string m_job;                  // written by Play after it moved the state to loading
  std::atomic<bool> m_jobReady{false};  // m_job holds a path the worker has not taken
  // Wakes the worker: a job, the end of a sound, the closing or the stop. Spare wake-ups
  // are harmless.
  std::counting_semaphore<> m_wake{0};
  std::vector<std::uint8_t> m_sound;  // the converted samples of the sound that plays
  std::size_t m_fed = 0;              // bytes of m_sound handed to the device (the callback's)

  // For those who wait for the state to change; taken by neither Play nor the callback.
  std::mutex m_waitMutex;
  std::condition_variable m_changed;
};

// A job that waits or loads ends idle; a sound that plays may end, which the worker, still
// running, tells the waiters; then the worker stops.
WaveEngine::~WaveEngine() {
  m_closing.store(true);
  m_wake.release();
  Wait(true, kWaveShutdownDrain);
  m_stop.store(true);
  m_wake.release();
  if (m_worker.joinable()) m_worker.join();
  if (m_device != 0) SDL_CloseAudioDevice(m_device);
  if (m_subsystem == Subsystem::kReady) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void WaveEngine::Play(std::string path) {
  if (path.empty()) return;
  if (m_subsystem == Subsystem::kUntried) {
    m_subsystem = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 ? Subsystem::kReady : Subsystem::kFailed;
  }
  if (m_subsystem != Subsystem::kReady) return;
  if (!m_worker.joinable()) {
    try {
      m_worker = std::thread(&WaveEngine::Run, this);
    } catch (const std::system_error&) {
      return;
    }
  }
  WavePlaybackState idle = WavePlaybackState::kIdle;
  if (!m_state.compare_exchange_strong(idle, WavePlaybackState::kLoading, std::memory_order_acq_rel)) return;
  m_job = std::move(path);
  m_jobReady.store(true, std::memory_order_release);
  m_wake.release();
}

bool WaveEngine::Wait(bool untilIdle, std::chrono::milliseconds timeout) {
  std::unique_lock lock(m_waitMutex);
  return m_changed.wait_for(lock, timeout, [&] {
    const WavePlaybackState state = State();
    return untilIdle ? state == WavePlaybackState::kIdle : state != WavePlaybackState::kLoading;
  });
}

// Stores a state and tells the waiters.
void WaveEngine::SetState(WavePlaybackState state) {
  m_state.store(state, std::memory_order_release);
  TellWaiters();
}

// Taking the waiters' mutex once, after a change of state, makes sure that none of them
// checks the old state and then sleeps through the news.
void WaveEngine::TellWaiters() {
  { std::lock_guard lock(m_waitMutex); }
  m_changed.notify_all();
}

void WaveEngine::Run() {
  // SDL keeps per-thread data (its error text) that only its own threads free at their end.
  struct ThreadDataCleanup {
    ~ThreadDataCleanup() { SDL_TLSCleanup(); }
  } cleanup;
  while (!m_stop.load()) {
    if (State() == WavePlaybackState::kPlaying) {
      m_wake.try_acquire_for(kDeviceCheckInterval);
    } else {
      m_wake.acquire();
    }
    if (m_stop.load()) return;
    if (m_jobReady.exchange(false, std::memory_order_acquire)) {
      Load();
    } else if (State() == WavePlaybackState::kPlaying) {
      CheckDevice();
    } else {
      // The callback has ended the sound: its memory goes, and the waiters hear of it.
      std::vector<std::uint8_t>().swap(m_sound);
      TellWaiters();
    }
  }
}

// Reads and converts the job's file and hands the samples to the device. Anything that
// fails, and the closing, leave the playback idle.
void WaveEngine::Load() {
  const std::string path = std::move(m_job);
  m_job.clear();
  std::vector<std::uint8_t> sound;
  if (!m_closing.load()) sound = LoadWaveForOutput(path);
  if (!sound.empty() && !m_closing.load() && OpenDevice()) {
    m_sound.swap(sound);
    m_fed = 0;
    SetState(WavePlaybackState::kPlaying);
  } else {
    SetState(WavePlaybackState::kIdle);
  }
}

// A lost device no longer calls back, and its sound would never end: it is given up and
// the device reopened for the next one.
void WaveEngine::CheckDevice() {
  if (m_device == 0 || SDL_GetAudioDeviceStatus(m_device) != SDL_AUDIO_STOPPED) return;
  SDL_CloseAudioDevice(m_device);
  m_device = 0;
  SetState(WavePlaybackState::kIdle);
}

bool WaveEngine::OpenDevice() {
  if (m_device != 0) return true;
  SDL_AudioSpec wanted{};
  wanted.freq = kWaveOutputRate;
  wanted.format = AUDIO_S16SYS;
  wanted.channels = kWaveOutputChannels;
  wanted.samples = kDeviceBufferFrames;
  wanted.callback = &WaveEngine::Feed;
  wanted.userdata = this;
  // No changes allowed: SDL converts to whatever the hardware takes.
  m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, nullptr, 0);
  if (m_device == 0) return false;
  SDL_PauseAudioDevice(m_device, 0);
  return true;
}

// The device's thread asks for len bytes. The sound counts as ended only at the callback
// after the one that handed out its last samples, when the device has taken them.
void SDLCALL WaveEngine::Feed(void* engine, Uint8* stream, int len) {
  auto* self = static_cast<WaveEngine*>(engine);
  const std::size_t wanted = len > 0 ? static_cast<std::size_t>(len) : 0;
  std::size_t copied = 0;
  if (self->State() == WavePlaybackState::kPlaying) {
    if (self->m_fed < self->m_sound.size()) {
      copied = std::min(wanted, self->m_sound.size() - self->m_fed);
      std::memcpy(stream, self->m_sound.data() + self->m_fed, copied);
      self->m_fed += copied;
    } else {
      self->m_state.store(WavePlaybackState::kIdle, std::memory_order_release);
      self->m_wake.release();  // the worker tells the waiters
    }
  }
  std::memset(stream + copied, 0, wanted - copied);  // signed samples: 0 is silence
}

// The playback is process-wide, like the service it stands in for: one engine, shared by
// every user that holds a reference.
std::mutex g_mutex;
int g_users = 0;
std::unique_ptr<WaveEngine> g_engine;

}  // namespace

void AcquireWavePlayback() {
  std::lock_guard lock(g_mutex);
  if (++g_users == 1) g_engine.reset(new (std::nothrow) WaveEngine());
}

void ReleaseWavePlayback() {
  std::lock_guard lock(g_mutex);
  if (g_users == 0) return;
  if (--g_users == 0) g_engine.reset();
}

void PlayWaveFile(std::string path) {
  std::lock_guard lock(g_mutex);
  if (g_engine) g_engine->Play(std::move(path));
}

WavePlaybackState CurrentWavePlayback() {
  std::lock_guard lock(g_mutex);
  return g_engine ? g_engine->State() : WavePlaybackState::kIdle;
}

bool WaitWaveLoaded(std::chrono::milliseconds timeout) {
  std::lock_guard lock(g_mutex);
  return !g_engine || g_engine->Wait(false, timeout);
}

bool WaitWavePlaybackIdle(std::chrono::milliseconds timeout) {
  std::lock_guard lock(g_mutex);
  return !g_engine || g_engine->Wait(true, timeout);
}

}  // namespace kavelo::platform
