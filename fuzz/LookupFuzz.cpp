// The key-value lookup on any texts, keys, separators and value buffer sizes, the buffer
// allocated at exactly its size. Well-formed texts must give the first pair's value, cut
// to the buffer; any text must give a value that stands in it after the key.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "OrvinaTools.h"
#include "fuzz/LookupLayout.h"

using kavelo::fuzz::ByteReader;

namespace {

[[noreturn]] void Broken(const char* promise) {
  std::fprintf(stderr, "broken promise: %s\n", promise);
  std::abort();
}

std::string ReadString(ByteReader& in, std::size_t length) {
  const auto bytes = in.Bytes(length);
  return std::string(bytes.begin(), bytes.end());
}

std::string ReadKey(ByteReader& in) {
  std::string key;
  for (unsigned n = in.U8() % 9; n > 0; --n) key.push_back(static_cast<char>('a' + in.U8() % 26));
  return key;
}

struct Lookup {
  int found;
  std::string value;
};

// Looks up into a buffer of exactly `size` bytes and checks that the value ends inside it.
Lookup Find(const char* text, const char* key, const char* pairSep, const char* kvSep, std::size_t size) {
  std::unique_ptr<char[]> buffer(new char[size]);
  std::memset(buffer.get(), 'X', size);
  const int found = GetValueFromFormatData(text, key, pairSep, kvSep, buffer.get(), size);
  if (found != 0 && found != 1) Broken("the lookup answers 0 or 1");
  if (size == 0) return {found, {}};
  const std::size_t length = strnlen(buffer.get(), size);
  if (length == size) Broken("the value is terminated inside its buffer");
  if (found == 0 && length != 0) Broken("an absent key leaves an empty value");
  return {found, std::string(buffer.get(), length)};
}

void WellFormed(ByteReader& in, std::size_t size) {
  std::vector<kavelo::fuzz::LookupPair> pairs(in.U8() % (kavelo::fuzz::kMaxPairs + 1));
  for (auto& pair : pairs) {
    pair.key = ReadKey(in);
    pair.value = ReadString(in, in.U16() % 700);
    for (char& c : pair.value) {
      if (c == ';' || c == '\0') c = ':';
    }
  }
  const std::uint8_t shape = in.U8();
  const std::uint8_t wanted = in.U8();
  const std::string key = wanted < 0x80 && !pairs.empty() ? pairs[wanted % pairs.size()].key : ReadKey(in);

  std::string text;
  for (const auto& pair : pairs) {
    if (shape & 2) text += ";";
    text += pair.key + "," + pair.value + ";";
  }
  if ((shape & 1) && !text.empty()) text.pop_back();

  const Lookup got = Find(text.c_str(), key.c_str(), ";", ",", size);
  if (size == 0) return;
  for (const auto& pair : pairs) {
    if (pair.key != key) continue;
    if (got.found != 1) Broken("a key that is present is found");
    if (got.value != pair.value.substr(0, size - 1)) Broken("the first pair's value is given, cut to the buffer");
    return;
  }
  if (got.found != 0) Broken("a key that is absent is not found");
}

void Raw(ByteReader& in, std::size_t size) {
  const std::uint8_t nulls = in.U8();
  const std::string key = ReadString(in, in.U8() % 32);
  const std::string pairSep = ReadString(in, in.U8() % 4);
  const std::string kvSep = ReadString(in, in.U8() % 4);
  const std::string text = ReadString(in, in.Remaining());
  const bool applyNulls = nulls >= kavelo::fuzz::kNullsApply;
  const auto pick = [&](const std::string& s, int bit) { return applyNulls && (nulls & (1 << bit)) ? nullptr : s.c_str(); };
  const Lookup got = Find(pick(text, 0), pick(key, 1), pick(pairSep, 2), pick(kvSep, 3), size);
  if (got.found == 0 || size == 0) return;

  // The strings as C strings: a NUL inside ends them.
  const std::string_view t(text.c_str()), k(key.c_str()), p(pairSep.c_str()), s(kvSep.c_str());
  if (p.empty() || s.empty()) Broken("empty separators find nothing");
  if (k.find(s) != std::string_view::npos || k.find(p) != std::string_view::npos) {
    Broken("a key holding a separator is never found");
  }
  if (got.value.find(p) != std::string::npos) Broken("a value never holds the pair separator");
  const std::string head = std::string(k) + std::string(s) + got.value;
  for (std::size_t at = t.find(head); at != std::string_view::npos; at = t.find(head, at + 1)) {
    if (at == 0 || (at >= p.size() && t.substr(at - p.size(), p.size()) == p)) return;
  }
  Broken("a found value follows its key at the start of a pair");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteReader in({data, size});
  const bool wellFormed = in.U8() & 1;
  const std::size_t valueSize = in.U16() % (kavelo::fuzz::kMaxValueBuffer + 1);
  if (wellFormed) {
    WellFormed(in, valueSize);
  } else {
    Raw(in, valueSize);
  }
  return 0;
}
