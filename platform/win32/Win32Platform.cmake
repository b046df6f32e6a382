# The platform layer on Windows: the system's own services behind the same interfaces.
# Timers are the system's (the host's message loop serves them), so no timer queue here.
add_library(kavelo_platform STATIC
  ${CMAKE_CURRENT_LIST_DIR}/../TextCodec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../FrameSurface.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WidePath.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RegularFile.cpp)
target_include_directories(kavelo_platform PUBLIC ${PROJECT_SOURCE_DIR})

# Sounds go to the system's PlaySoundW, which plays in the background by itself.
add_library(kavelo_audio STATIC ${CMAKE_CURRENT_LIST_DIR}/WavePlayback.cpp)
target_include_directories(kavelo_audio PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(kavelo_audio PRIVATE kavelo_platform winmm)
