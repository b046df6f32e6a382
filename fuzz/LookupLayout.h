#pragma once
// The byte form of a lookup fuzz input.
//
//   mode u8       bit 0: a well-formed text of pairs (else raw texts)
//   size u16      the value buffer's size, modulo kMaxValueBuffer + 1
// raw:
//   nulls u8      at kNullsApply or above, its low four bits give null text, key,
//                 pair separator, key separator
//   key, pair separator, key separator: a length byte each (modulo 32, 4, 4), then bytes
//   the rest      the text
// well-formed (separators ";" and ","):
//   pairs u8      modulo kMaxPairs + 1; each: key length u8 (modulo 9) and bytes (read as
//                 letters), value length u16 (modulo 700) and bytes (";" and NUL replaced)
//   shape u8      bit 0: no ";" after the last pair; bit 1: an empty pair between pairs
//   wanted u8     below 0x80: the key of that pair (modulo the count); else a key length
//                 byte and bytes follow, as for a pair's key

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzBytes.h"

namespace kavelo::fuzz {

inline constexpr std::size_t kMaxValueBuffer = 1024;
inline constexpr std::uint8_t kNullsApply = 0xF0;
inline constexpr unsigned kMaxPairs = 15;

struct LookupPair {
  std::string key;    // letters only
  std::string value;  // neither ";" nor NUL
};

inline std::vector<std::uint8_t> WellFormedLookup(std::uint16_t size, const std::vector<LookupPair>& pairs,
                                                  std::uint8_t shape, std::uint8_t wantedPair) {
  ByteWriter out;
  out.U8(1).U16(size).U8(static_cast<unsigned>(pairs.size()));
  for (const LookupPair& pair : pairs) {
    out.U8(static_cast<unsigned>(pair.key.size()));
    for (char c : pair.key) out.U8(static_cast<unsigned>(c - 'a'));
    out.U16(static_cast<unsigned>(pair.value.size()));
    for (char c : pair.value) out.U8(static_cast<unsigned char>(c));
  }
  out.U8(shape).U8(wantedPair);
  return out.Data();
}

inline std::vector<std::uint8_t> RawLookup(std::uint16_t size, const std::string& key, const std::string& pairSep,
                                           const std::string& kvSep, const std::string& text,
                                           std::uint8_t nulls = 0) {
  ByteWriter out;
  out.U8(0).U16(size).U8(nulls);
  for (const std::string* part : {&key, &pairSep, &kvSep}) {
    out.U8(static_cast<unsigned>(part->size()));
    for (char c : *part) out.U8(static_cast<unsigned char>(c));
  }
  for (char c : text) out.U8(static_cast<unsigned char>(c));
  return out.Data();
}

}  // namespace kavelo::fuzz
