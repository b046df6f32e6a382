#pragma once
// Command and event texts as a host writes them, "key,value;" pair after pair, and the
// ways a hostile host spoils them.

#include <cstdint>
#include <string>
#include <vector>

namespace kavelo::fuzz {

enum class Spoil : std::uint8_t {
  kDropPair,         // the pair is left out
  kEmptyValue,       // "key,;"
  kOverlongValue,    // hundreds of characters before the value, longer than any buffer
  kBeyond32Bits,     // a number no 32-bit integer holds
  kKeyWithoutValue,  // "key;" with no separator
  kEmbeddedNul,      // a NUL character inside the value
  kUncarriable,      // a character UTF-8 cannot carry: a surrogate, or above U+10FFFF
  kNoSeparators,     // no ";" anywhere, or none after the last pair
  kShadowingPair,    // another pair with the same key before it, which wins
  kBlanksAndSigns,   // leading blanks and signs, trailing garbage
  kWideCharacters,   // characters of two to four UTF-8 bytes, so that a cut splits one
  kCount,
};

// One spoil: its kind, the pair it hits (modulo the number of pairs) and an argument.
struct SpoilStep {
  std::uint8_t kind = 0;
  std::uint8_t pair = 0;
  std::uint8_t arg = 0;
};

class ProtocolText {
 public:
  ProtocolText& Add(std::wstring key, std::wstring value);
  ProtocolText& Add(std::wstring key, long long number);
  ProtocolText& AddNarrow(std::wstring key, const std::string& utf8);

  void Apply(const SpoilStep& step);
  std::wstring Render() const;

 private:
  struct Pair {
    std::wstring key;
    std::wstring value;
    bool hasSeparator = true;
  };
  std::vector<Pair> m_pairs;
  bool m_pairSeparators = true;  // ";" between pairs
  bool m_closeLast = true;       // ";" after the last pair
};

}  // namespace kavelo::fuzz
