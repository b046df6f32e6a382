#include "fuzz/ProtocolText.h"

#include "platform/TextCodec.h"

namespace kavelo::fuzz {
namespace {

// Longer than the largest value buffer of the protocol (512 bytes) in every case.
constexpr std::size_t kOverlongChars = 520;

const wchar_t* const kHugeNumbers[] = {L"2147483648", L"-2147483649", L"4294967296", L"4294967295",
                                       L"99999999999999999999", L"-9223372036854775809"};
const wchar_t kUncarriable[] = {static_cast<wchar_t>(0xD800), static_cast<wchar_t>(0xDFFF),
                                static_cast<wchar_t>(0x110000), static_cast<wchar_t>(0x7FFFFFFF),
                                static_cast<wchar_t>(-1), static_cast<wchar_t>(0xFFFE)};
const wchar_t kWide[] = {static_cast<wchar_t>(0xE9), static_cast<wchar_t>(0x4E2D), static_cast<wchar_t>(0x1F600)};
const wchar_t* const kGarbage[] = {L"  ", L"\t+", L"-", L"+-", L" 0x", L"\n"};

template <typename T, std::size_t N>
const T& Pick(const T (&items)[N], unsigned arg) {
  return items[arg % N];
}

}  // namespace

ProtocolText& ProtocolText::Add(std::wstring key, std::wstring value) {
  m_pairs.push_back({std::move(key), std::move(value)});
  return *this;
}

ProtocolText& ProtocolText::Add(std::wstring key, long long number) {
  return Add(std::move(key), std::to_wstring(number));
}

ProtocolText& ProtocolText::AddNarrow(std::wstring key, const std::string& utf8) {
  return Add(std::move(key), platform::NarrowToWide(utf8).value_or(std::wstring()));
}

void ProtocolText::Apply(const SpoilStep& step) {
  const auto kind = static_cast<Spoil>(step.kind % static_cast<unsigned>(Spoil::kCount));
  if (kind == Spoil::kNoSeparators) {
    (step.arg % 2 == 0 ? m_pairSeparators : m_closeLast) = false;
    return;
  }
  if (m_pairs.empty()) return;
  const std::size_t index = step.pair % m_pairs.size();
  Pair& pair = m_pairs[index];
  std::wstring& value = pair.value;
  const std::size_t at = value.empty() ? 0 : step.arg % (value.size() + 1);
  switch (kind) {
    case Spoil::kDropPair:
      m_pairs.erase(m_pairs.begin() + static_cast<std::ptrdiff_t>(index));
      break;
    case Spoil::kEmptyValue:
      value.clear();
      break;
    case Spoil::kOverlongValue:
      value.insert(0, kOverlongChars + step.arg, step.arg % 2 == 0 ? L'0' : L'a');
      break;
    case Spoil::kBeyond32Bits:
      value = Pick(kHugeNumbers, step.arg);
      break;
    case Spoil::kKeyWithoutValue:
      pair.hasSeparator = false;
      break;
    case Spoil::kEmbeddedNul:
      value.insert(at, 1, L'\0');
      break;
    case Spoil::kUncarriable:
      value.insert(at, 1, Pick(kUncarriable, step.arg));
      break;
    case Spoil::kShadowingPair:
      m_pairs.insert(m_pairs.begin() + static_cast<std::ptrdiff_t>(index),
                     Pair{pair.key, std::to_wstring(static_cast<int>(step.arg) - 128)});
      break;
    case Spoil::kBlanksAndSigns:
      value = Pick(kGarbage, step.arg) + value + (step.arg % 3 == 0 ? L"x7" : L"");
      break;
    case Spoil::kWideCharacters:
      value.insert(0, 1 + step.arg, Pick(kWide, step.arg));
      break;
    case Spoil::kNoSeparators:
    case Spoil::kCount:
      break;
  }
}

std::wstring ProtocolText::Render() const {
  std::wstring text;
  for (std::size_t i = 0; i < m_pairs.size(); ++i) {
    const Pair& pair = m_pairs[i];
    text += pair.key;
    if (pair.hasSeparator) text += L',' + pair.value;
    const bool last = i + 1 == m_pairs.size();
    if (last ? m_closeLast && m_pairSeparators : m_pairSeparators) text += L';';
  }
  return text;
}

}  // namespace kavelo::fuzz
