#pragma once
// An artwork folder the tests draw themselves, laid out as kavelo-play's: 42 tiles of
// distinct flat colours, ten trail frames, the selection mark and the time bar, all at
// the generated art's sizes. On the web the browser's decoders are not at hand, and the
// tests' own encoders hand the module each picture's pixels.

#include <string>

namespace kavelo::test {

inline constexpr int kTestArtTiles = 42;

// The folder, drawn once per test program and removed at its end.
const std::string& TestArtDir();

}  // namespace kavelo::test
