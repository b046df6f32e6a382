# The clock is this thread's timer queue, which the page's loop serves as a Linux host's
# does; the test host steps it.
target_sources(host_tests PRIVATE posix/ClockTest.cpp posix/PlatformHost.cpp)
