#include "WholeFiles.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

namespace kavelo::play {
namespace fs = std::filesystem;

namespace {

std::string Reason(const fs::path& path, const std::string& what) { return Utf8Text(path) + ": " + what; }

}  // namespace

ReadResult ReadWholeFile(const fs::path& path, std::size_t limit, std::string& bytes, std::string& error) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found) return ReadResult::Missing;
  if (ec) return error = Reason(path, ec.message()), ReadResult::Failed;
  if (status.type() != fs::file_type::regular) return error = Reason(path, "not a regular file"), ReadResult::Failed;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec) return error = Reason(path, ec.message()), ReadResult::Failed;
  if (size > limit) return error = Reason(path, "larger than " + std::to_string(limit) + " bytes"), ReadResult::Failed;
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) return error = Reason(path, errno ? std::strerror(errno) : "cannot be opened"), ReadResult::Failed;
  bytes.assign(static_cast<std::size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  // A file that shrank meanwhile reads short: take what was there.
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return error = Reason(path, "read error"), ReadResult::Failed;
  return ReadResult::Read;
}

bool ReplaceWholeFile(const fs::path& path, std::string_view bytes, std::string& error) {
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  if (ec) return error = Reason(path.parent_path(), ec.message()), false;
  fs::path temporary = path;
  temporary += ".new";
  {
    errno = 0;
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return error = Reason(temporary, errno ? std::strerror(errno) : "cannot be created"), false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      fs::remove(temporary, ec);
      return error = Reason(temporary, "write error"), false;
    }
  }
  fs::rename(temporary, path, ec);
  if (ec) {
    error = Reason(path, ec.message());
    fs::remove(temporary, ec);
    return false;
  }
  return true;
}

}  // namespace kavelo::play
