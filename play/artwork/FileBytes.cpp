#include "play/artwork/FileBytes.h"

#include <fstream>

namespace kavelo::artwork {

bool WriteFileBytes(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes, std::string& error) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    error = "cannot write " + file.string();
    return false;
  }
  return true;
}

}  // namespace kavelo::artwork
