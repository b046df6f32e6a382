#include "bench/host/ProcessUsage.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <system_error>

namespace kavelo::bench {
namespace {

int CountEntries(const char* dir) {
  std::error_code error;
  int count = 0;
  for (std::filesystem::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) ++count;
  return error ? -1 : count;
}

}  // namespace

ProcessUsage ReadProcessUsage() {
  ProcessUsage usage;
  std::ifstream statm("/proc/self/statm");
  std::int64_t sizePages = 0, residentPages = 0;
  if (statm >> sizePages >> residentPages) usage.residentKb = residentPages * (::sysconf(_SC_PAGESIZE) / 1024);
  // The directory's own descriptor, open while it is listed, is counted every time alike.
  usage.descriptors = CountEntries("/proc/self/fd");
  usage.threads = CountEntries("/proc/self/task");
  return usage;
}

}  // namespace kavelo::bench
