#pragma once
// Whole regular files into memory, for the picture and wave loaders.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace kavelo::platform {

struct FileBytes {
  std::unique_ptr<std::uint8_t[]> data;
  std::size_t size = 0;
};

enum class FileRead {
  Ok,
  CannotOpen,  // missing, no access, a NUL inside the path, or not a regular file
  Empty,
  TooLarge,    // above the caller's limit
  NoMemory,
  ReadFailed,  // a read error, or the file shrank while it was read
};

// Reads the regular file at `utf8Path` whole. Pipes and devices are refused without
// blocking. `bytes` is written only when the result is Ok.
FileRead ReadRegularFile(const std::string& utf8Path, std::uint64_t maxBytes, FileBytes& bytes);

}  // namespace kavelo::platform
