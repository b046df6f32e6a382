#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "OrvinaTools.h"

namespace {

struct Lookup {
  int found;
  std::string value;
};

// Looks up into a heap buffer of exactly `size` bytes, so that the address sanitizer
// sees any byte written past it.
Lookup Find(const char* text, const char* key, std::size_t size = 512) {
  auto buffer = std::make_unique<char[]>(size);
  std::memset(buffer.get(), 'X', size);
  const int found = GetValueFromFormatData(text, key, ";", ",", buffer.get(), size);
  return {found, std::string(buffer.get(), strnlen(buffer.get(), size))};
}

}  // namespace

TEST(ValueLookup, FindsExactKeysAnywhereAndCutsNothingThatFits) {
  const char* game = "param,1;w,16;c,36;choose,/art/choose.bmp;time,1";
  struct Case {
    const char* text;
    const char* key;
    int found;
    const char* value;
  } cases[] = {
      {game, "param", 1, "1"},
      {game, "c", 1, "36"},                  // a prefix of "choose" finds its own pair
      {game, "choose", 1, "/art/choose.bmp"},
      {game, "time", 1, "1"},                // the last pair without its ";"
      {game, "cho", 0, ""},                  // a prefix of a key is not the key
      {game, "", 0, ""},
      {"a,;b,2;", "a", 1, ""},               // empty value
      {"a,1;a,2;", "a", 1, "1"},             // the first pair wins
      {"type;x,1;", "type", 0, ""},          // a pair without a separator is no pair
      {"x,a,b;", "x", 1, "a,b"},             // the value runs to the pair's end
      {";;x,3;;", "x", 1, "3"},
      {" x,3;", "x", 0, ""},                 // keys match exactly, blanks included
  };
  for (const Case& c : cases) {
    const Lookup got = Find(c.text, c.key);
    EXPECT_EQ(got.found, c.found) << c.text << " " << c.key;
    EXPECT_EQ(got.value, c.value) << c.text << " " << c.key;
  }
}

TEST(ValueLookup, LongValuesAreCutToTheBufferAndNullArgumentsGiveNothing) {
  const std::string text = "iconType," + std::string(100, 'e') + ";w,5;";
  for (std::size_t size : {1u, 2u, 8u, 100u, 101u, 102u}) {
    EXPECT_EQ(Find(text.c_str(), "iconType", size).value, std::string(std::min<std::size_t>(size - 1, 100), 'e'));
  }
  char value[8] = "stale";
  EXPECT_EQ(GetValueFromFormatData(nullptr, "x", ";", ",", value, sizeof value), 0);
  EXPECT_STREQ(value, "");
  EXPECT_EQ(GetValueFromFormatData("x,1;", "x", ";", ",", nullptr, 8), 0);
  std::strcpy(value, "stale");
  EXPECT_EQ(GetValueFromFormatData("x,1;", "x", ";", ",", value, 0), 0);
  EXPECT_STREQ(value, "stale");  // a zero-sized buffer is never touched
}
