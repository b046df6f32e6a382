#include "DisplayChoice.h"

#include <algorithm>
#include <cctype>

namespace kavelo::play {
namespace {

// SDL matches driver names without regard to case.
bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
  });
}

bool Named(std::string_view driver, std::string_view list) {
  while (!list.empty()) {
    const std::size_t comma = std::min(list.find(','), list.size());
    if (SameName(list.substr(0, comma), driver)) return true;
    list.remove_prefix(std::min(comma + 1, list.size()));
  }
  return false;
}

}  // namespace

bool ShowsNothing(std::string_view driver) {
  // evdev is the dummy driver reading the console's input devices: still nothing shown.
  for (const std::string_view blind : {"offscreen", "dummy", "evdev"}) {
    if (SameName(driver, blind)) return true;
  }
  return false;
}

DisplayMode ChooseDisplay(DisplayRequest request, std::string_view picked, std::string_view named) {
  if (request == DisplayRequest::kForceHeadless) return DisplayMode::kHeadless;
  const bool shows = !picked.empty() && (!ShowsNothing(picked) || Named(picked, named));
  if (shows) return DisplayMode::kWindow;
  return request == DisplayRequest::kForceWindow ? DisplayMode::kNoWindow : DisplayMode::kHeadless;
}

}  // namespace kavelo::play
