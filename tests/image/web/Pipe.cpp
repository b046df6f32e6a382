// The browser's file system makes no pipes: a folder names no regular file either.
#include "tests/image/PictureFiles.h"

namespace kavelo::image::test {

std::wstring Pipe(const std::string& name) {
  std::error_code error;
  return std::filesystem::create_directory(Scratch(name), error) ? Scratch(name).wstring() : std::wstring();
}

}  // namespace kavelo::image::test
