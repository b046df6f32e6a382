# This thread's timer queue, which stands in for system timers.
target_sources(platform_tests PRIVATE posix/TimerQueueTest.cpp)
