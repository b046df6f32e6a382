#pragma once
// A folder of a test's own under the system's temporary folder: made afresh under a name
// no other run uses, and removed with everything in it when the object goes.

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

namespace kavelo::test {

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& prefix)
      : m_dir(std::filesystem::temp_directory_path() / (prefix + "-" + std::to_string(std::random_device()()))) {
    std::filesystem::create_directories(m_dir);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Dir() const { return m_dir; }
  std::string Path(const std::string& name) const { return (m_dir / name).string(); }

 private:
  std::filesystem::path m_dir;
};

}  // namespace kavelo::test
