#pragma once
// A command or event text, narrowed once, with the lookups its handlers make.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace kavelo::host {

// Value buffer sizes of the protocol; longer values are cut to fit.
inline constexpr std::size_t kPathBufferSize = 256;    // "iconPath", "animationPath", "timeBar"
inline constexpr std::size_t kSuffixBufferSize = 8;    // "iconType", "animationType"
inline constexpr std::size_t kValueBufferSize = 512;   // every other command value
inline constexpr std::size_t kEventBufferSize = 256;   // every event value

// Reads 1 to 20 decimal digits and nothing else as a number that fits 64 bits; nullopt
// for anything else (a sign, blanks, other characters, a larger number).
std::optional<std::uint64_t> ReadUnsigned64(const std::string& text);

// Reads a decimal integer as the C library's atoi does (leading blanks, a sign, digits),
// except that a number beyond 32 bits saturates instead of being undefined.
int ReadInteger(const char* text);

class KeyValueText {
 public:
  explicit KeyValueText(const std::wstring& text);

  // The value of `key`, cut to a buffer of `bufferSize` bytes; empty when absent.
  std::string Text(const char* key, std::size_t bufferSize) const;
  // As Text, but nullopt when the key is absent.
  std::optional<std::string> Find(const char* key, std::size_t bufferSize) const;
  int Integer(const char* key, std::size_t bufferSize) const;

 private:
  std::optional<std::string> m_narrow;  // empty when the text could not be converted
};

}  // namespace kavelo::host
