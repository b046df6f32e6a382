# Files and this thread's timer queue (a timerfd) by POSIX; wave playback on SDL2 audio,
# with SDL's converter turning every file into the one output format.
target_sources(kavelo_platform PRIVATE posix/RegularFile.cpp posix/TimerQueue.cpp posix/TimerFd.cpp)

find_package(Threads REQUIRED)
pkg_check_modules(KAVELO_AUDIO_SDL2 REQUIRED IMPORTED_TARGET sdl2)
target_sources(kavelo_audio PRIVATE sdl/WaveFile.cpp sdl/WavePlayback.cpp)
target_link_libraries(kavelo_audio PRIVATE PkgConfig::KAVELO_AUDIO_SDL2 PUBLIC Threads::Threads)
