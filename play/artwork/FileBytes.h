#pragma once
// Writing a finished file of the artwork whole.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kavelo::artwork {

// Replaces `file` with `bytes`; false with the reason in `error` when it cannot be written.
bool WriteFileBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes, std::string& error);

}  // namespace kavelo::artwork
