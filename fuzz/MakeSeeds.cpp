// Writes the picture fuzzer's seeds into the directory given: small pictures in every
// format the loader reads, some cut short, and icons of several entries. The protocol
// and lookup seeds are texts, kept in fuzz/seeds.
#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/support/TestFiles.h"

using namespace kavelo::test;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT-DIR\n", argv[0]);
    return 2;
  }
  const std::filesystem::path dir(argv[1]);
  std::filesystem::create_directories(dir);
  bool ok = true;
  int count = 0;
  const auto add = [&](const std::string& name, const Bytes& bytes) {
    ok = WriteFile((dir / name).string(), bytes) && ok;
    ++count;
  };
  for (const auto& [width, height] : {std::pair{1, 1}, std::pair{6, 6}, std::pair{13, 7}}) {
    for (Format format : kAllFormats) {
      const Bytes bytes = Encode(Gradient(width, height, Alpha::kKeyed), format);
      if (bytes.empty()) continue;
      const std::string name = std::to_string(width) + "x" + std::to_string(height) + "-" +
                               std::to_string(static_cast<int>(format)) + Suffix(format);
      add(name, bytes);
      if (width == 13) add("cut-" + name, {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.size() * 2 / 3)});
    }
  }
  // Icons of two entries, 8 and 24 bits a pixel, and of one entry holding a PNG.
  const TestPicture icon = Gradient(6, 6, Alpha::kKeyed);
  add("two-entries.ico", EncodeIcon({{icon, IconForm::kBits8}, {icon, IconForm::kBits24}}));
  add("png-entry.ico", EncodeIcon({{icon, IconForm::kPng}}));
  if (!ok) std::fprintf(stderr, "cannot write every seed into %s\n", argv[1]);
  std::printf("picture seeds: %d\n", count);
  return ok ? 0 : 1;
}
