// kavelo-artwork OUTDIR: draws the game's pictures and synthesizes its sounds into OUTDIR.
// Reads nothing: every picture and sound is made by code.

#include <cstdio>
#include <string>

#include "play/artwork/ArtworkSet.h"

int main(int argc, char** argv) {
  if (argc != 2 || argv[1][0] == '\0') {
    std::fprintf(stderr, "usage: kavelo-artwork OUTDIR\n");
    return 2;
  }
  std::string error;
  if (!kavelo::artwork::WriteArtwork(argv[1], error)) {
    std::fprintf(stderr, "kavelo-artwork: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
