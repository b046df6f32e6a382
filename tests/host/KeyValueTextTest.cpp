#include <gtest/gtest.h>

#include <climits>

#include "host/KeyValueText.h"

using kavelo::host::KeyValueText;
using kavelo::host::ReadInteger;

TEST(ReadInteger, ReadsNumbersAsAtoiDoesAndSaturatesBeyond32Bits) {
  struct Case {
    const char* text;
    int value;
  } cases[] = {
      {"42", 42}, {"  -17", -17}, {"+8", 8}, {"12abc", 12}, {"abc", 0}, {"", 0}, {"- 3", 0},
      {"\t\n 7", 7}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN}, {"2147483648", INT_MAX},
      {"-2147483649", INT_MIN}, {"99999999999999999999999", INT_MAX}, {"0x10", 0}, {"65538", 65538},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadInteger(c.text), c.value) << c.text;
}

TEST(KeyValueText, ValuesAreCutToTheirProtocolBuffers) {
  const std::wstring text = L"iconType,.verylongsuffix;iconPath," + std::wstring(400, L'p') + L";w,\u00e9;";
  const KeyValueText kv(text);
  EXPECT_EQ(kv.Text("iconType", kavelo::host::kSuffixBufferSize), ".verylo");
  EXPECT_EQ(kv.Text("iconPath", kavelo::host::kPathBufferSize), std::string(255, 'p'));
  EXPECT_EQ(kv.Text("w", kavelo::host::kValueBufferSize), "\xc3\xa9");
  EXPECT_EQ(kv.Integer("missing", kavelo::host::kValueBufferSize), 0);
  // An embedded NUL ends the text the lookup sees.
  const KeyValueText cut(std::wstring(L"a,1;\0b,2;", 9));
  EXPECT_EQ(cut.Integer("a", 8), 1);
  EXPECT_EQ(cut.Integer("b", 8), 0);
}
