#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/TextCodec.h"

using kavelo::platform::NarrowToWide;
using kavelo::platform::WideToNarrow;

TEST(TextCodec, WideTextsNarrowToUtf8) {
  struct Case {
    std::wstring wide;
    std::string narrow;
  };
  std::vector<Case> cases = {
      {L"type,64;time,1;", "type,64;time,1;"},
      {L"", ""},
      {L"caf\u00e9", "caf\xc3\xa9"},
      {L"\u20ac", "\xe2\x82\xac"},
      {L"\U0001F600", "\xf0\x9f\x98\x80"},
      {std::wstring(1, wchar_t(0xD800)) + L"x", "?x"},     // a lone surrogate cannot be carried
      {std::wstring{wchar_t(0xDE00), wchar_t(0xD83D)}, "??"},  // a pair in the wrong order
      {std::wstring(L"a\0b", 3), std::string("a\0b", 3)},  // embedded NUL kept
  };
  if constexpr (sizeof(wchar_t) == 4) {  // values only a 32-bit wchar_t holds
    cases.push_back({std::wstring(1, wchar_t(0x110000)), "?"});  // above the last code point
    cases.push_back({std::wstring(1, wchar_t(-1)), "?"});
  }
  for (const Case& c : cases) {
    const auto narrow = WideToNarrow(c.wide);
    ASSERT_TRUE(narrow.has_value());
    EXPECT_EQ(*narrow, c.narrow);
  }
}

TEST(TextCodec, Utf8WidensAndBadBytesBecomeReplacementCharacters) {
  struct Case {
    std::string narrow;
    std::wstring wide;
  } cases[] = {
      {"C:/pics/tile", L"C:/pics/tile"},
      {"caf\xc3\xa9", L"caf\u00e9"},
      {"\xf0\x9f\x98\x80", L"\U0001F600"},
      {"a\xffz", L"a\uFFFDz"},             // stray byte
      {"\xe2\x82", L"\uFFFD"},             // truncated at the end
      {"\xe2\x82z", L"\uFFFDz"},           // truncated before an ASCII byte
      {"\xc0\xaf", L"\uFFFD\uFFFD"},       // overlong lead bytes are never valid
      {"\xed\xa0\x80", L"\uFFFD"},         // an encoded surrogate
      {"\xf4\x90\x80\x80", L"\uFFFD"},     // above U+10FFFF
  };
  for (const Case& c : cases) {
    const auto wide = NarrowToWide(c.narrow);
    ASSERT_TRUE(wide.has_value());
    EXPECT_EQ(*wide, c.wide) << c.narrow;
  }
}

TEST(TextCodec, RoundTripKeepsEveryCarriableCharacter) {
  std::wstring all;
  for (std::uint32_t c = 1; c < 0x110000; c += 7) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    if (sizeof(wchar_t) == 2 && c > 0xFFFF) {  // UTF-16: a surrogate pair
      all.push_back(wchar_t(0xD800 + ((c - 0x10000) >> 10)));
      all.push_back(wchar_t(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      all.push_back(wchar_t(c));
    }
  }
  EXPECT_EQ(NarrowToWide(*WideToNarrow(all)), all);
}
