#pragma once
// A PNG of one opaque colour, of any size up to the loader's largest, written without ever
// holding its pixels: its rows compress to runs, so an 8192 x 8192 picture is a file of
// about a megabyte. For tests that measure what decoding costs, not what encoding does.

#include "tests/support/TestFiles.h"

namespace kavelo::test {

// Colour type 2 (8-bit red, green, blue), one IDAT chunk of fixed-Huffman deflate.
Bytes SolidPng(int width, int height, Rgba colour);

}  // namespace kavelo::test
