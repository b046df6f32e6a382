# The platform the build is for, chosen once here. Its name is also the name of the
# CMake list each library keeps beside its CMakeLists.txt, <library>/<platform>.cmake,
# which adds that platform's back ends (from folders named after what they use: sdl/,
# posix/, win32/, web/) to the library's one shared source list.
if(EMSCRIPTEN)
  set(kavelo_default_platform web)
elseif(WIN32)
  set(kavelo_default_platform win32)
else()
  set(kavelo_default_platform sdl)
endif()
set(KAVELO_PLATFORM ${kavelo_default_platform} CACHE STRING "The platform's back ends to build: sdl, win32 or web")
set_property(CACHE KAVELO_PLATFORM PROPERTY STRINGS sdl win32 web)
# The platform's build-wide settings.
include(${CMAKE_CURRENT_LIST_DIR}/platforms/${KAVELO_PLATFORM}.cmake)
