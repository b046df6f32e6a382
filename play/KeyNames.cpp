#include "KeyMap.h"

namespace kavelo::play {

PlayKey KeyNamed(std::string_view name) {
  constexpr struct {
    std::string_view name;
    PlayKey key;
  } kButtons[] = {{"hint", PlayKey::Hint}, {"shuffle", PlayKey::Shuffle}, {"undo", PlayKey::Undo},
                  {"redo", PlayKey::Redo}, {"pause", PlayKey::Pause},     {"sound", PlayKey::Mute},
                  {"new", PlayKey::NewGame}, {"replay", PlayKey::Replay}, {"daily", PlayKey::Daily}};
  for (const auto& b : kButtons) {
    if (b.name == name) return b.key;
  }
  return PlayKey::None;
}

}  // namespace kavelo::play
