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

KeyValueText::KeyValueText(const std::wstring& text) : m_narrow(platform::WideToNarrow(text)) {}

std::string KeyValueText::Text(const char* key, std::size_t bufferSize) const {
  std::vector<char> buffer(bufferSize, '\0');
  GetValueFromFormatData(m_narrow ? m_narrow->c_str() : nullptr, key, ";", ",", buffer.data(), buffer.size());
  return std::string(buffer.data());
}

int KeyValueText::Integer(const char* key, std::size_t bufferSize) const {
  return ReadInteger(Text(key, bufferSize).c_str());
}

}  // namespace kavelo::host
