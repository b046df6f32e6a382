#include <algorithm>
#include <cstring>
#include <string_view>

#include "OrvinaTools.h"

namespace {

// Copies `src` into `dst`, cut to leave room for the terminator.
void CopyCut(std::string_view src, char* dst, std::size_t dstSize) {
  const std::size_t n = std::min(src.size(), dstSize - 1);
  std::memcpy(dst, src.data(), n);
  dst[n] = '\0';
}

}  // namespace

int GetValueFromFormatData(const char* text, const char* key, const char* pairSep, const char* kvSep,
                           char* value, std::size_t valueSize) {
  if (value == nullptr || valueSize == 0) return 0;
  value[0] = '\0';
  if (text == nullptr || key == nullptr || pairSep == nullptr || kvSep == nullptr) return 0;
  const std::string_view pairs(text), wanted(key), pairSeparator(pairSep), keySeparator(kvSep);
  if (pairSeparator.empty() || keySeparator.empty()) return 0;

  for (std::size_t start = 0; start < pairs.size();) {
    std::size_t end = pairs.find(pairSeparator, start);
    if (end == std::string_view::npos) end = pairs.size();
    const std::string_view pair = pairs.substr(start, end - start);
    const std::size_t split = pair.find(keySeparator);
    if (split != std::string_view::npos && pair.substr(0, split) == wanted) {
      CopyCut(pair.substr(split + keySeparator.size()), value, valueSize);
      return 1;
    }
    start = end + pairSeparator.size();
  }
  return 0;
}
