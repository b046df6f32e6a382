#include "render/SeriesName.h"

#include "platform/TextCodec.h"

namespace {

std::optional<std::wstring> Widen(const char* text) {
  if (text == nullptr) return std::nullopt;
  return kavelo::platform::NarrowToWide(text);
}

}  // namespace

std::optional<std::wstring> SeriesFileName(const char* path, unsigned number, const char* type) {
  std::optional<std::wstring> name = Widen(path);
  const std::optional<std::wstring> suffix = Widen(type);
  if (!name || !suffix) return std::nullopt;
  name->append(std::to_wstring(number));
  name->append(*suffix);
  if (name->size() > kMaxFileNameChars) return std::nullopt;
  return name;
}

std::optional<std::wstring> SingleFileName(const char* path) {
  std::optional<std::wstring> name = Widen(path);
  if (!name || name->size() > kMaxFileNameChars) return std::nullopt;
  return name;
}
