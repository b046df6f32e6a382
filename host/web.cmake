# The clock on this thread's timer queue, which the page's event loop serves through
# KaveloTimeoutMs and KaveloDispatchTimers, as a Linux host's loop does.
target_sources(kavelo_host_objects PRIVATE posix/GameClock.cpp posix/TimerExports.cpp)
target_compile_definitions(kavelo_host_objects PRIVATE PLGKAVELO_BUILDING)
