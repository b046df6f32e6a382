// The XDG base directories: $XDG_STATE_HOME and $XDG_DATA_HOME when set to an absolute
// path, else ~/.local/state and ~/.local/share.
#include "UserFolders.h"

#include <cstdlib>
#include <string>

namespace kavelo::play {
namespace {

std::filesystem::path BaseFolder(const char* variable, const char* underHome) {
  const char* set = std::getenv(variable);
  if (set != nullptr && set[0] == '/') return std::filesystem::path(set) / "kavelo-play";
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') return {};
  return std::filesystem::path(home) / underHome / "kavelo-play";
}

}  // namespace

std::filesystem::path StateFolder() { return BaseFolder("XDG_STATE_HOME", ".local/state"); }
std::filesystem::path DataFolder() { return BaseFolder("XDG_DATA_HOME", ".local/share"); }

}  // namespace kavelo::play
