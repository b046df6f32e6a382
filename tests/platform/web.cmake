# This thread's timer queue, as on Linux, less what the browser lacks: the queue has no
# descriptor (the page sleeps KaveloTimeoutMs instead of polling one) and the module no
# second thread.
target_sources(platform_tests PRIVATE posix/TimerQueueTest.cpp)
set_property(TARGET platform_tests PROPERTY KAVELO_TEST_FILTER -TimerQueueFd.*:*.ATimerOfAnotherThread*)
