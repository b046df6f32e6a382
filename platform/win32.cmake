# Files through wide paths; sounds to the system's PlaySoundW, which plays in the
# background by itself. Timers are the system's (the host's message loop serves them),
# so there is no timer queue here.
target_sources(kavelo_platform PRIVATE win32/WidePath.cpp win32/RegularFile.cpp)

target_sources(kavelo_audio PRIVATE win32/WavePlayback.cpp)
target_link_libraries(kavelo_audio PRIVATE winmm)
