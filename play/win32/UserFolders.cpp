// The user's local and roaming application data: %LOCALAPPDATA% for the game in
// progress, which belongs to this machine, %APPDATA% for the best times.
#include "UserFolders.h"

#include <cstdlib>

namespace kavelo::play {
namespace {

std::filesystem::path BaseFolder(const wchar_t* variable) {
  const wchar_t* set = _wgetenv(variable);
  if (set == nullptr || set[0] == L'\0') return {};
  return std::filesystem::path(set) / L"kavelo-play";
}

}  // namespace

std::filesystem::path StateFolder() { return BaseFolder(L"LOCALAPPDATA"); }
std::filesystem::path DataFolder() { return BaseFolder(L"APPDATA"); }

}  // namespace kavelo::play
