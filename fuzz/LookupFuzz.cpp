// The key-value lookup on any texts, keys, separators and value buffer sizes, the buffer
// allocated at exactly its size. An input is: the buffer size (two bytes, little-endian,
// modulo 1025), a byte whose low four bits at 0xF0 and above make the text, key, pair
// separator and key separator null, then key, pair separator, key separator and text,
// separated by the byte 0x01 (the text is the rest).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "OrvinaTools.h"

namespace {

[[noreturn]] void Broken(const char* promise) {
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::abort();
}

// The next field up to the byte 0x01, or the rest.
std::string Field(std::string_view& in, bool last) {
  const std::size_t end = last ? in.size() : std::min(in.find('\x01'), in.size());
  std::string field(in.substr(0, end));
  in.remove_prefix(std::min(end + 1, in.size()));
  return field;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::size_t valueSize = (data[0] | data[1] << 8) % 1025;
  const std::uint8_t nulls = data[2] >= 0xF0 ? data[2] : 0;
  std::string_view in(reinterpret_cast<const char*>(data) + 3, size - 3);
  const std::string key = Field(in, false), pairSep = Field(in, false), kvSep = Field(in, false);
  const std::string text = Field(in, true);
  const auto pick = [&](const std::string& s, int bit) { return nulls & (1 << bit) ? nullptr : s.c_str(); };

  std::unique_ptr<char[]> buffer(new char[valueSize]);
  std::memset(buffer.get(), 'X', valueSize);
  const int found = GetValueFromFormatData(pick(text, 0), pick(key, 1), pick(pairSep, 2), pick(kvSep, 3),
                                           buffer.get(), valueSize);
  if (found != 0 && found != 1) Broken("the lookup answers 0 or 1");
  if (valueSize == 0) return 0;
  const std::size_t length = strnlen(buffer.get(), valueSize);
  if (length == valueSize) Broken("the value is terminated inside its buffer");
  if (found == 0) {
    if (length != 0) Broken("an absent key leaves an empty value");
    return 0;
  }
  // The strings as C strings: a NUL inside ends them.
  const std::string_view t(text.c_str()), k(key.c_str()), p(pairSep.c_str()), s(kvSep.c_str());
  const std::string value(buffer.get(), length);
  if (p.empty() || s.empty()) Broken("empty separators find nothing");
  if (k.find(s) != std::string_view::npos || k.find(p) != std::string_view::npos) {
    Broken("a key holding a separator is never found");
  }
  if (value.find(p) != std::string::npos) Broken("a value never holds the pair separator");
  const std::string head = std::string(k) + std::string(s) + value;
  for (std::size_t at = t.find(head); at != std::string_view::npos; at = t.find(head, at + 1)) {
    if (at == 0 || (at >= p.size() && t.substr(at - p.size(), p.size()) == p)) return 0;
  }
  Broken("a found value follows its key at the start of a pair");
}
