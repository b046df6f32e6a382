#include "tests/support/PeakMemory.h"

#include <fstream>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#define KAVELO_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KAVELO_ADDRESS_SANITIZER 1
#endif
#endif

namespace kavelo::test {

std::uint64_t PeakResidentBytes() {
#ifdef KAVELO_ADDRESS_SANITIZER
  return 0;  // the sanitizer's shadow and its quarantine of freed blocks are no measure of the program's
#else
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmHWM:", 0) == 0) return std::stoull(line.substr(6)) * 1024;  // "VmHWM:   1234 kB"
  }
  return 0;
#endif
}

}  // namespace kavelo::test
