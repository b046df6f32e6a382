# Files from the module's virtual file system through its POSIX calls, and the timer
# queue, which the page's event loop serves (the browser has no timerfd: the queue's
# descriptor stays -1 and the page sleeps KaveloTimeoutMs instead); sounds by Web Audio.
target_sources(kavelo_platform PRIVATE posix/RegularFile.cpp posix/TimerQueue.cpp web/TimerNoFd.cpp)
target_sources(kavelo_audio PRIVATE web/WavePlayback.cpp)
