#include "platform/win32/WidePath.h"

#include <windows.h>

#include <climits>

namespace kavelo::platform {

std::optional<std::wstring> Utf8ToWidePath(std::string_view utf8) {
  if (utf8.empty() || utf8.size() > INT_MAX || utf8.find('\0') != std::string_view::npos) return std::nullopt;
  const int length = static_cast<int>(utf8.size());
  const int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
  if (wide <= 0) return std::nullopt;
  std::wstring out(static_cast<std::size_t>(wide), L'\0');
  if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, out.data(), wide) != wide) {
    return std::nullopt;
  }
  return out;
}

}  // namespace kavelo::platform
