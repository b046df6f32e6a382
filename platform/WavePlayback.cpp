#include "WavePlayback.h"

#include <SDL.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "WaveFile.h"

namespace kavelo::platform {
namespace {

// About 21 ms at the output rate: short enough that a click is answered at once, long
// enough that the device is not starved on a busy machine.
constexpr Uint16 kDeviceBufferFrames = 1024;
// The worker's niceness above the thread that plays: decoding a sound yields to the host's
// thread, so that waking the worker does not delay the click that woke it.
constexpr int kWorkerNiceness = 10;
// While a sound plays, the worker looks this often whether the device was lost (its
// callback then stops, and the sound would never end).
constexpr std::chrono::milliseconds kDeviceCheckInterval{250};

class WaveEngine {
 public:
  WaveEngine() = default;
  ~WaveEngine();
  WaveEngine(const WaveEngine&) = delete;
  WaveEngine& operator=(const WaveEngine&) = delete;

  void Play(std::string path);
  WavePlaybackState State();
  bool Wait(bool untilIdle, std::chrono::milliseconds timeout);

 private:
  void Run();
  void Load(std::unique_lock<std::mutex>& lock);
  void DropFinishedSound(std::unique_lock<std::mutex>& lock);
  void CheckDevice(std::unique_lock<std::mutex>& lock);
  bool OpenDevice();
  static void SDLCALL Feed(void* engine, Uint8* stream, int len);

  // Host thread only.
  enum class Subsystem { kUntried, kReady, kFailed };
  Subsystem m_subsystem = Subsystem::kUntried;
  std::thread m_worker;

  // The worker only, and the destructor once the worker has ended.
  SDL_AudioDeviceID m_device = 0;

  // Shared by the host thread, the worker and the device's callback.
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::optional<std::string> m_job;  // the path handed over, until the worker takes it
  bool m_loading = false;            // a job is waiting or being read and converted
  bool m_playing = false;            // m_sound is being fed to the device
  bool m_stop = false;
  std::vector<std::uint8_t> m_sound;  // the converted samples of the sound that plays
  std::size_t m_fed = 0;              // bytes of m_sound already handed to the device
};

WaveEngine::~WaveEngine() {
  {
    std::lock_guard lock(m_mutex);
    m_stop = true;
    m_job.reset();
  }
  m_changed.notify_all();
  if (m_worker.joinable()) m_worker.join();
  {
    std::lock_guard lock(m_mutex);
    m_loading = false;
  }
  Wait(true, kWaveShutdownDrain);
  if (m_device != 0) SDL_CloseAudioDevice(m_device);
  if (m_subsystem == Subsystem::kReady) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void WaveEngine::Play(std::string path) {
  if (path.empty()) return;
  if (m_subsystem == Subsystem::kUntried) {
    m_subsystem = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 ? Subsystem::kReady : Subsystem::kFailed;
  }
  if (m_subsystem != Subsystem::kReady) return;
  {
    std::lock_guard lock(m_mutex);
    if (m_loading || m_playing) return;
    if (!m_worker.joinable()) {
      try {
        m_worker = std::thread(&WaveEngine::Run, this);
      } catch (const std::system_error&) {
        return;
      }
    }
    m_job = std::move(path);
    m_loading = true;
  }
  m_changed.notify_all();
}

WavePlaybackState WaveEngine::State() {
  std::lock_guard lock(m_mutex);
  if (m_loading) return WavePlaybackState::kLoading;
  return m_playing ? WavePlaybackState::kPlaying : WavePlaybackState::kIdle;
}

bool WaveEngine::Wait(bool untilIdle, std::chrono::milliseconds timeout) {
  std::unique_lock lock(m_mutex);
  return m_changed.wait_for(lock, timeout, [&] { return !m_loading && (!untilIdle || !m_playing); });
}

void WaveEngine::Run() {
  // SDL keeps per-thread data (its error text) that only its own threads free at their end.
  struct ThreadDataCleanup {
    ~ThreadDataCleanup() { SDL_TLSCleanup(); }
  } cleanup;
  // Linux takes a thread id for a process id here; a refusal leaves the niceness as it is.
  ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), ::getpriority(PRIO_PROCESS, 0) + kWorkerNiceness);
  std::unique_lock lock(m_mutex);
  const auto work = [this] { return m_stop || m_job || (!m_playing && !m_sound.empty()); };
  for (;;) {
    if (m_playing) {
      m_changed.wait_for(lock, kDeviceCheckInterval, work);
    } else {
      m_changed.wait(lock, work);
    }
    if (m_stop) return;
    if (m_job) {
      Load(lock);
    } else if (!m_playing && !m_sound.empty()) {
      DropFinishedSound(lock);
    } else if (m_playing) {
      CheckDevice(lock);
    }
  }
}

// Reads and converts the job's file without the lock, then hands the samples to the
// device. Anything that fails leaves the playback idle.
void WaveEngine::Load(std::unique_lock<std::mutex>& lock) {
  const std::string path = std::move(*m_job);
  m_job.reset();
  lock.unlock();
  std::vector<std::uint8_t> sound = LoadWaveForOutput(path);
  const bool ready = !sound.empty() && OpenDevice();
  lock.lock();
  if (ready && !m_stop) {
    m_sound.swap(sound);
    m_fed = 0;
    m_playing = true;
  }
  m_loading = false;
  m_changed.notify_all();
  lock.unlock();
  sound = {};  // whatever is left over is freed outside the lock
  lock.lock();
}

void WaveEngine::DropFinishedSound(std::unique_lock<std::mutex>& lock) {
  std::vector<std::uint8_t> done;
  done.swap(m_sound);
  m_fed = 0;
  lock.unlock();
  done = {};
  lock.lock();
}

// A lost device no longer calls back; its sound is given up and the device reopened for
// the next one.
void WaveEngine::CheckDevice(std::unique_lock<std::mutex>& lock) {
  lock.unlock();
  const bool lost = m_device != 0 && SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED;
  if (lost) {
    SDL_CloseAudioDevice(m_device);
    m_device = 0;
  }
  lock.lock();
  if (lost) {
    m_playing = false;
    m_changed.notify_all();
  }
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
  {
    std::lock_guard lock(self->m_mutex);
    if (self->m_playing && self->m_fed < self->m_sound.size()) {
      copied = std::min(wanted, self->m_sound.size() - self->m_fed);
      std::memcpy(stream, self->m_sound.data() + self->m_fed, copied);
      self->m_fed += copied;
    } else if (self->m_playing) {
      self->m_playing = false;
      self->m_changed.notify_all();
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
