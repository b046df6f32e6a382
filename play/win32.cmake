# kavelo-play.exe, the native Windows host: a Win32 window and message loop, PNG
# snapshots by the system's encoder (WIC). The artwork is the project's own, drawn by the
# generator built for the build machine; KAVELO_ART_SOURCE names its output folder,
# copied beside the program.
set(KAVELO_ART_SOURCE "" CACHE PATH "Folder of generated artwork to ship beside kavelo-play.exe")

target_sources(kavelo_play_host PRIVATE PlayStart.cpp HeadlessPlay.cpp win32/FrameSnapshot.cpp win32/HeadlessPlatform.cpp win32/KeyMap.cpp
  win32/UserFolders.cpp)
target_include_directories(kavelo_play_host PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(kavelo_play_host PRIVATE windowscodecs ole32 uuid)

add_executable(kavelo-play)
target_link_libraries(kavelo-play PRIVATE kavelo_play_host)
target_sources(kavelo-play PRIVATE win32/main.cpp win32/WindowPlay.cpp)
set_target_properties(kavelo-play PROPERTIES WIN32_EXECUTABLE ON)
target_link_libraries(kavelo-play PRIVATE gdi32 user32)
# A console program as well: --headless prints its summary line.
target_link_options(kavelo-play PRIVATE -mconsole)

set(KAVELO_ART_DIR ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/art CACHE INTERNAL "Folder of the artwork beside the program")
if(KAVELO_ART_SOURCE)
  add_custom_target(kavelo_artwork_files ALL
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${KAVELO_ART_SOURCE} ${KAVELO_ART_DIR}
    COMMENT "Copying the artwork beside kavelo-play.exe")
  add_dependencies(kavelo-play kavelo_artwork_files)
endif()
