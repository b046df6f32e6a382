# kavelo-play.exe, the native Windows host: the shared host logic with a Win32 window and
# message loop. The artwork is the project's own, drawn by the generator built for the
# build machine; KAVELO_ART_SOURCE names its output folder, copied beside the program.
set(KAVELO_ART_SOURCE "" CACHE PATH "Folder of generated artwork to ship beside kavelo-play.exe")
set(play ${PROJECT_SOURCE_DIR}/play)

add_library(kavelo_play_host STATIC ${play}/PlaySettings.cpp ${play}/PlayHost.cpp ${play}/HeadlessPlay.cpp
  ${play}/BannerFont.cpp FrameSnapshot.cpp)
target_include_directories(kavelo_play_host PUBLIC ${play} PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(kavelo_play_host PUBLIC PlgKavelo PRIVATE windowscodecs ole32 uuid)

add_executable(kavelo-play WIN32 main.cpp WindowPlay.cpp)
target_link_libraries(kavelo-play PRIVATE kavelo_play_host gdi32 user32)
# A console program as well: --headless prints its summary line.
target_link_options(kavelo-play PRIVATE -mconsole)

set(KAVELO_ART_DIR ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/art CACHE INTERNAL "Folder of the artwork beside the program")
if(KAVELO_ART_SOURCE)
  add_custom_target(kavelo_artwork_files ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${KAVELO_ART_SOURCE} ${KAVELO_ART_DIR}
    COMMENT "Copying the artwork beside kavelo-play.exe")
  add_dependencies(kavelo-play kavelo_artwork_files)
endif()
