// A pipe in the system's pipe namespace; the server end stays open for the program's
// life, so that the pipe exists.
#include <windows.h>

#include "tests/image/PictureFiles.h"

namespace kavelo::image::test {

std::wstring Pipe(const std::string& name) {
  const std::string path = "\\\\.\\pipe\\kavelo-" + std::to_string(GetCurrentProcessId()) + "-" + name;
  const HANDLE server = CreateNamedPipeA(path.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
  return server == INVALID_HANDLE_VALUE ? std::wstring() : std::wstring(path.begin(), path.end());
}

}  // namespace kavelo::image::test
