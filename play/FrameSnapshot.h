#pragma once
// Frames as PNG files.

#include <string>
#include <vector>

namespace kavelo::play {

// Writes a delivered frame (top-down rows, blue, green, red, alpha) as an opaque PNG.
bool WriteFramePng(const std::string& path, const std::vector<char>& frame, int width, int height);

}  // namespace kavelo::play
