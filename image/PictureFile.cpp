#include "image/PictureFile.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#include "image/PictureLoadCodes.h"
#include "platform/TextCodec.h"

namespace kavelo::image {
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

int ReadPictureFile(const std::wstring& path, PictureBytes& bytes) {
  // A NUL inside the path would silently open a shorter one.
  if (path.empty() || path.find(L'\0') != std::wstring::npos) return kPictureCannotOpen;
  const auto narrowPath = platform::WideToNarrow(path);
  if (!narrowPath) return kPictureCannotOpen;

  // Not blocking: a FIFO must not hold the caller until someone writes to it.
  OpenFile file(::open(narrowPath->c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (file.Descriptor() < 0) return kPictureCannotOpen;
  struct stat status {};
  if (::fstat(file.Descriptor(), &status) != 0 || !S_ISREG(status.st_mode)) return kPictureCannotOpen;
  if (status.st_size <= 0) return kPictureEmptyFile;
  if (static_cast<std::uint64_t>(status.st_size) > kMaxPictureFileBytes) return kPictureNoMemory;

  const auto size = static_cast<std::size_t>(status.st_size);
  std::unique_ptr<std::uint8_t[]> data(new (std::nothrow) std::uint8_t[size]);
  if (!data) return kPictureNoMemory;
  std::size_t done = 0;
  while (done < size) {
    const ssize_t got = ::read(file.Descriptor(), data.get() + done, size - done);
    if (got < 0 && errno == EINTR) continue;
    // A file that shrank since its size was taken would leave bytes unread.
    if (got <= 0) return kPictureReadFailed;
    done += static_cast<std::size_t>(got);
  }
  bytes.data = std::move(data);
  bytes.size = size;
  return kPictureLoaded;
}

}  // namespace kavelo::image
