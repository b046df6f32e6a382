#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>

namespace kavelo::platform {
namespace {

// Closes the descriptor on every way out.
class OpenFile {
 public:
  explicit OpenFile(int fd) : m_fd(fd) {}
  ~OpenFile() {
    if (m_fd >= 0) ::close(m_fd);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  int Descriptor() const { return m_fd; }

 private:
  int m_fd;
};

}  // namespace

FileRead ReadRegularFile(const std::string& utf8Path, std::uint64_t maxBytes, FileBytes& bytes) {
  // A NUL inside the path would silently open a shorter one.
  if (utf8Path.empty() || utf8Path.find('\0') != std::string::npos) return FileRead::CannotOpen;
  // Not blocking: a FIFO must not hold the caller until someone writes to it.
  const OpenFile file(::open(utf8Path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (file.Descriptor() < 0) return FileRead::CannotOpen;
  struct stat status {};
  if (::fstat(file.Descriptor(), &status) != 0 || !S_ISREG(status.st_mode)) return FileRead::CannotOpen;
  if (status.st_size <= 0) return FileRead::Empty;
  if (static_cast<std::uint64_t>(status.st_size) > maxBytes) return FileRead::TooLarge;

  const auto size = static_cast<std::size_t>(status.st_size);
  std::unique_ptr<std::uint8_t[]> data(new (std::nothrow) std::uint8_t[size]);
  if (!data) return FileRead::NoMemory;
  for (std::size_t done = 0; done < size;) {
    const ssize_t got = ::read(file.Descriptor(), data.get() + done, size - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return FileRead::ReadFailed;
    done += static_cast<std::size_t>(got);
  }
  bytes.data = std::move(data);
  bytes.size = size;
  return FileRead::Ok;
}

}  // namespace kavelo::platform
