#pragma once
// UTF-8 paths, as the plug-in keeps them, to the UTF-16 that the wide file API takes, so a
// name outside the ANSI code page still opens.

#include <optional>
#include <string>
#include <string_view>

namespace kavelo::platform {

// Empty optional when the text is not valid UTF-8, holds a NUL (the system would see a
// shorter path) or is empty.
std::optional<std::wstring> Utf8ToWidePath(std::string_view utf8);

}  // namespace kavelo::platform
