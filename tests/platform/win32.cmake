# Timers are the system's here: the Windows back ends' tests (tests/win32) take them.
