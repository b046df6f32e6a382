// Whole regular files through the wide file API: the UTF-8 path becomes UTF-16 at the call.
#include "platform/RegularFile.h"

#include <windows.h>

#include <new>

#include "platform/win32/WidePath.h"

namespace kavelo::platform {
namespace {

// Closes the handle on every way out.
class OpenFile {
 public:
  explicit OpenFile(HANDLE handle) : m_handle(handle) {}
  ~OpenFile() {
    if (m_handle != INVALID_HANDLE_VALUE) CloseHandle(m_handle);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;
  HANDLE Handle() const { return m_handle; }

 private:
  HANDLE m_handle;
};

constexpr DWORD kReadChunk = 1u << 30;  // ReadFile takes a 32-bit count

}  // namespace

FileRead ReadRegularFile(const std::string& utf8Path, std::uint64_t maxBytes, FileBytes& bytes) {
  const auto widePath = Utf8ToWidePath(utf8Path);
  if (!widePath) return FileRead::CannotOpen;
  const OpenFile file(CreateFileW(widePath->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.Handle() == INVALID_HANDLE_VALUE) return FileRead::CannotOpen;
  // Pipes, consoles and devices are refused before any read could wait on them.
  if (GetFileType(file.Handle()) != FILE_TYPE_DISK) return FileRead::CannotOpen;
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(file.Handle(), &info) || (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return FileRead::CannotOpen;
  }
  LARGE_INTEGER length{};
  if (!GetFileSizeEx(file.Handle(), &length)) return FileRead::CannotOpen;
  if (length.QuadPart <= 0) return FileRead::Empty;
  if (static_cast<std::uint64_t>(length.QuadPart) > maxBytes ||
      static_cast<std::uint64_t>(length.QuadPart) > SIZE_MAX) {
    return FileRead::TooLarge;
  }

  const auto size = static_cast<std::size_t>(length.QuadPart);
  std::unique_ptr<std::uint8_t[]> data(new (std::nothrow) std::uint8_t[size]);
  if (!data) return FileRead::NoMemory;
  for (std::size_t done = 0; done < size;) {
    const DWORD want = static_cast<DWORD>(size - done < kReadChunk ? size - done : kReadChunk);
    DWORD got = 0;
    if (!ReadFile(file.Handle(), data.get() + done, want, &got, nullptr) || got == 0) return FileRead::ReadFailed;
    done += got;
  }
  bytes.data = std::move(data);
  bytes.size = size;
  return FileRead::Ok;
}

}  // namespace kavelo::platform
