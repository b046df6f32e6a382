# The clock on a system timer of the host's thread, served by its message loop; the timer
# functions of the Linux hosts are there only so that one host source builds on both.
target_sources(kavelo_host_objects PRIVATE win32/GameClock.cpp win32/TimerExports.cpp)
target_link_libraries(kavelo_host_objects PUBLIC user32)
# The export macro exports, rather than imports, while the plug-in itself is built; the
# tests link the objects statically and must see them exported as well.
target_compile_definitions(kavelo_host_objects PUBLIC PLGKAVELO_BUILDING)
