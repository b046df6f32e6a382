#pragma once
// What the process holds, as Linux reports it in /proc/self: resident memory, open file
// descriptors and threads.

#include <cstdint>

namespace kavelo::bench {

struct ProcessUsage {
  std::int64_t residentKb = -1;  // -1 when it cannot be read
  int descriptors = -1;
  int threads = -1;
};

ProcessUsage ReadProcessUsage();

}  // namespace kavelo::bench
