// The module's memory only grows and tells no peak of the page's process.
#include "tests/support/PeakMemory.h"

namespace kavelo::test {

std::uint64_t PeakResidentBytes() { return 0; }

}  // namespace kavelo::test
