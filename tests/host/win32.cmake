# The test host serves the system timer itself. The hosts in other languages serve the
# clock with poll; the Windows back ends' tests (tests/win32) have their own.
target_sources(host_tests PRIVATE win32/PlatformHost.cpp)
