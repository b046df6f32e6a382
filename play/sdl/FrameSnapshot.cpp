#include "FrameSnapshot.h"

#include <SDL.h>
#include <SDL_image.h>

namespace kavelo::play {

bool WriteFramePng(const std::string& path, const std::vector<char>& frame, int width, int height) {
  if (frame.size() < static_cast<std::size_t>(width) * height * 4) return false;
  SDL_Surface* view = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<char*>(frame.data()), width, height, 32,
                                                         width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (view == nullptr) return false;
  // The frame's alpha marks key colours, not transparency: drop it.
  SDL_Surface* opaque = SDL_ConvertSurfaceFormat(view, SDL_PIXELFORMAT_RGB24, 0);
  SDL_FreeSurface(view);
  if (opaque == nullptr) return false;
  const bool ok = IMG_SavePNG(opaque, path.c_str()) == 0;
  SDL_FreeSurface(opaque);
  return ok;
}

}  // namespace kavelo::play
