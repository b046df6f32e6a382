// Numbered deals: one number, set-up, rule variant and shuffles give one board on every
// platform. The
// fingerprints below were taken once; the native, Windows and WebAssembly suites all
// check against them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "logic/KaveloInternal.h"
#include "logic/SaveBytes.h"

namespace {

struct Shape {
  const char* name;
  int width, height, kinds, copies;
};
constexpr Shape kShapes[] = {
    {"default", 18, 12, 36, 4},      // 16 x 10 interior, 36 kinds of 4
    {"1 x 2", 3, 4, 1, 2},           // the smallest interior that holds a pair
    {"odd copies", 8, 7, 10, 3},     // 30 cells, 10 kinds of 3
    {"255 x 255", 255, 255, 36, 4},  // cells numbered past the plain shuffles' draws
    {"most kinds", 25, 25, 255, 2},  // 23 x 23 interior, 255 kinds of 2
};

constexpr std::uint64_t kNumbers[] = {0,
                                      1,
                                      2,
                                      3,
                                      7,
                                      42,
                                      255,
                                      256,
                                      32767,
                                      32768,
                                      48213,
                                      65535,
                                      4294967295u,
                                      4294967296u,
                                      9007199254740993u,  // 2^53 + 1, past what a double holds
                                      0x8000000000000000u,
                                      0x9E3779B97F4A7C15u,
                                      0xDEADBEEFCAFEF00Du,
                                      18446744073709551614u,
                                      18446744073709551615u};

// FNV-1a over the tile grid, folded into the fingerprint so far.
std::uint64_t Fold(std::uint64_t hash, const CKaveloInternal& board) {
  const std::size_t cells = std::size_t{board.Width()} * board.Height();
  for (std::size_t i = 0; i < cells; ++i) hash = (hash ^ board.Tiles()[i]) * 0x100000001B3u;
  return hash;
}

// The deal (a spreading shuffle, as kavelo-play deals) and then one shuffle of each mode,
// each board folded into the fingerprint.
std::uint64_t Fingerprint(std::uint64_t number, const Shape& shape, bool clearable,
                          kavelo::logic::Gravity gravity = kavelo::logic::Gravity::None) {
  CKaveloInternal board;
  board.SetGravity(gravity);
  board.SetClocks({[] { return 0u; }, [] { return 0u; }});  // a stray clock reading would show
  if (!board.InitBoard(shape.width, shape.height, shape.kinds, shape.copies)) return 0;
  board.SetSolvableShuffles(clearable);
  board.DealByNumber(number);
  std::uint64_t hash = 0xCBF29CE484222325u;
  for (std::uint8_t mode : {ShuffleSpread, ShuffleScatter, ShuffleMix, ShuffleCompact, ShuffleSpread}) {
    board.Shuffle(mode);
    hash = Fold(hash, board);
  }
  return hash;
}

// Clearable deals and shuffles under each way tiles fall, one fingerprint for the four.
std::uint64_t FallingFingerprint(std::uint64_t number, const Shape& shape) {
  std::uint64_t hash = 0;
  for (auto gravity : {kavelo::logic::Gravity::Down, kavelo::logic::Gravity::Up, kavelo::logic::Gravity::Left,
                       kavelo::logic::Gravity::Right}) {
    hash = hash * 31 + Fingerprint(number, shape, true, gravity);
  }
  return hash;
}

struct Expected {
  std::uint64_t plain, clearable, falling;
};
// Per shape, per number, in the orders above.
constexpr Expected kFingerprints[std::size(kShapes)][std::size(kNumbers)] = {
#include "tests/logic/DealFingerprints.inc"
};

TEST(DealNumber, EveryNumberAndShapeDealsAndShufflesToTheSameBoardsOnEveryPlatform) {
  std::string table;  // what this build deals, in the table's own form, shown on a mismatch
  bool same = true;
  for (std::size_t s = 0; s < std::size(kShapes); ++s) {
    table += "{\n";
    for (std::size_t n = 0; n < std::size(kNumbers); ++n) {
      const Expected got{Fingerprint(kNumbers[n], kShapes[s], false), Fingerprint(kNumbers[n], kShapes[s], true),
                         FallingFingerprint(kNumbers[n], kShapes[s])};
      char row[96];
      std::snprintf(row, sizeof row, "    {0x%016llXu, 0x%016llXu, 0x%016llXu},\n",
                    static_cast<unsigned long long>(got.plain), static_cast<unsigned long long>(got.clearable),
                    static_cast<unsigned long long>(got.falling));
      table += row;
      const Expected& want = kFingerprints[s][n];
      EXPECT_EQ(got.plain, want.plain) << kShapes[s].name << ", deal " << kNumbers[n] << ", plain";
      EXPECT_EQ(got.clearable, want.clearable) << kShapes[s].name << ", deal " << kNumbers[n] << ", clearable";
      EXPECT_EQ(got.falling, want.falling) << kShapes[s].name << ", deal " << kNumbers[n] << ", falling";
      same = same && got.plain == want.plain && got.clearable == want.clearable && got.falling == want.falling;
    }
    table += "},\n";
  }
  EXPECT_TRUE(same) << table;
}

TEST(DealNumber, ANumberIgnoresTheClocksAndWithoutOneTheBoardsFollowThem) {
  const Shape& shape = kShapes[0];
  const auto deal = [&](std::optional<std::uint64_t> number, std::uint32_t start) {
    CKaveloInternal board;
    std::uint32_t tick = start;  // each reading a millisecond and a second later
    board.SetClocks({[&tick] { return tick++; }, [&tick] { return tick++; }});
    board.InitBoard(shape.width, shape.height, shape.kinds, shape.copies);
    if (number) board.DealByNumber(*number);
    for (bool clearable : {false, true}) {
      board.SetSolvableShuffles(clearable);
      board.Shuffle(ShuffleSpread);
      board.Shuffle(ShuffleMix);
    }
    EXPECT_EQ(board.DealNumber(), number);
    return std::vector<std::uint8_t>(board.Tiles(), board.Tiles() + shape.width * shape.height);
  };
  EXPECT_EQ(deal(48213, 1000), deal(48213, 987654));
  EXPECT_NE(deal(48213, 1000), deal(48214, 1000));
  EXPECT_NE(deal(std::nullopt, 1000), deal(std::nullopt, 987654));
  EXPECT_EQ(deal(std::nullopt, 1000), deal(std::nullopt, 1000));
}

}  // namespace
