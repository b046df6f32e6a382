#include "KeyValueText.h"

#include <climits>
#include <cstdint>
#include <vector>

#include "OrvinaTools.h"
#include "platform/TextCodec.h"

namespace kavelo::host {

int ReadInteger(const char* text) {
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  std::int64_t value = 0;
  for (; *p >= '0' && *p <= '9'; ++p) {
    value = value * 10 + (*p - '0');
    if (value > std::int64_t{INT_MAX} + 1) break;  // saturated either way
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

std::optional<std::uint64_t> ReadUnsigned64(const std::string& text) {
  constexpr std::size_t kMaxDigits = 20;  // 18446744073709551615
  if (text.empty() || text.size() > kMaxDigits) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (value > (UINT64_MAX - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

KeyValueText::KeyValueText(const std::wstring& text) : m_narrow(platform::WideToNarrow(text)) {}

std::string KeyValueText::Text(const char* key, std::size_t bufferSize) const {
  return Find(key, bufferSize).value_or(std::string());
}

std::optional<std::string> KeyValueText::Find(const char* key, std::size_t bufferSize) const {
  std::vector<char> buffer(bufferSize, '\0');
  if (GetValueFromFormatData(m_narrow ? m_narrow->c_str() : nullptr, key, ";", ",", buffer.data(), buffer.size()) !=
      1) {
    return std::nullopt;
  }
  return std::string(buffer.data());
}

int KeyValueText::Integer(const char* key, std::size_t bufferSize) const {
  return ReadInteger(Text(key, bufferSize).c_str());
}

}  // namespace kavelo::host
