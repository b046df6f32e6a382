# The clock on this thread's timer queue, which the host serves through KaveloTimerFd,
# KaveloTimeoutMs and KaveloDispatchTimers.
target_sources(kavelo_host_objects PRIVATE posix/GameClock.cpp posix/TimerExports.cpp)
# The export macro exports, rather than imports, while the plug-in itself is built.
target_compile_definitions(kavelo_host_objects PRIVATE PLGKAVELO_BUILDING)
