// kavelo-artwork OUTDIR: draws the game's pictures and synthesizes its sounds into OUTDIR.
// kavelo-artwork --icons OUTDIR: draws the program's desktop icons into OUTDIR.
// Reads nothing: every picture and sound is made by code.

#include <cstdio>
#include <string>

#include "play/artwork/ArtworkSet.h"
#include "play/artwork/IconArt.h"

int main(int argc, char** argv) {
  const bool icons = argc == 3 && std::string(argv[1]) == "--icons";
  if ((argc != 2 && !icons) || argv[argc - 1][0] == '\0') {
    std::fprintf(stderr, "usage: kavelo-artwork [--icons] OUTDIR\n");
    return 2;
  }
  std::string error;
  const bool written = icons ? kavelo::artwork::WriteIcons(argv[2], error) : kavelo::artwork::WriteArtwork(argv[1], error);
  if (!written) {
    std::fprintf(stderr, "kavelo-artwork: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
