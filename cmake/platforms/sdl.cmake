# Linux and the like: SDL2 for audio, pictures and the window, POSIX for files and the
# timer queue. The libraries find SDL through pkg-config.
find_package(PkgConfig REQUIRED)
