// A pipe as a named FIFO in the scratch folder.
#include <sys/stat.h>

#include "tests/image/PictureFiles.h"

namespace kavelo::image::test {

std::wstring Pipe(const std::string& name) {
  return ::mkfifo(Scratch(name).c_str(), 0600) == 0 ? Scratch(name).wstring() : std::wstring();
}

}  // namespace kavelo::image::test
