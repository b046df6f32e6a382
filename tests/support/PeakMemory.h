#pragma once
// The most memory this process has held in RAM so far, in bytes: the peak resident set on
// Linux (VmHWM), the peak working set on Windows. 0 where the system does not tell.

#include <cstdint>

namespace kavelo::test {

std::uint64_t PeakResidentBytes();

}  // namespace kavelo::test
