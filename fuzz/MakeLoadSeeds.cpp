// Writes the load fuzzer's seeds into the directory given: saves of games played on each
// of its boards, each behind the board's byte and a byte of moves (LoadFuzz.cpp).
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz/FuzzArt.h"
#include "fuzz/SaveGames.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT-DIR\n", argv[0]);
    return 2;
  }
  const std::filesystem::path dir(argv[1]);
  std::filesystem::create_directories(dir);
  const std::string art = (std::filesystem::temp_directory_path() / ("kavelo-seed-art-" + std::to_string(::getpid()))).string();
  bool ok = kavelo::fuzz::WriteFuzzArt(art);
  int count = 0;
  for (int board = 0; ok && board < kavelo::fuzz::kSaveBoardCount; ++board) {
    for (const auto& save : kavelo::fuzz::PlayedSaves(art, kavelo::fuzz::kSaveBoards[board])) {
      const unsigned char moves = static_cast<unsigned char>(0x35 * (count + 1));
      std::ofstream file(dir / ("board" + std::to_string(board) + "-" + std::to_string(count++)), std::ios::binary);
      // Every other seed asks for the envelope to be made afresh.
      file.put(static_cast<char>(board | (count % 2 == 0 ? 0x80 : 0))).put(static_cast<char>(moves));
      file.write(reinterpret_cast<const char*>(save.data()), static_cast<std::streamsize>(save.size()));
      ok = ok && !save.empty() && file.good();
    }
  }
  std::filesystem::remove_all(art);
  if (!ok) std::fprintf(stderr, "cannot write every seed into %s\n", argv[1]);
  std::printf("load seeds: %d\n", count);
  return ok ? 0 : 1;
}
