#pragma once
// Conversions between the wide texts of the host protocol and the narrow texts that the
// key-value lookup and the file functions take. The narrow side is UTF-8.

#include <optional>
#include <string>
#include <string_view>

namespace kavelo::platform {

// Longest text (terminator included) that either conversion accepts, as a wide string.
inline constexpr std::size_t kMaxConvertedChars = 1073741823;

// Wide to UTF-8. A character UTF-8 cannot carry (a surrogate, a value above U+10FFFF)
// becomes "?". Empty optional when the text is too long to convert.
std::optional<std::string> WideToNarrow(std::wstring_view text);

// UTF-8 to wide. Bytes that are not valid UTF-8 widen to U+FFFD, one for each stray byte
// and one for each broken or truncated sequence. Empty optional when the text is too long.
std::optional<std::wstring> NarrowToWide(std::string_view text);

}  // namespace kavelo::platform
