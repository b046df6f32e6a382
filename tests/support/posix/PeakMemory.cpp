#include "tests/support/PeakMemory.h"

#include <fstream>
#include <string>

namespace kavelo::test {

std::uint64_t PeakResidentBytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stoull(line.substr(6)) * 1024;  // "VmHWM:   1234 kB"
  }
  return 0;
}

}  // namespace kavelo::test
