#include "TextCodec.h"

namespace kavelo::platform {
namespace {

constexpr wchar_t kReplacement = 0xFFFD;

bool Encodable(char32_t c) { return c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF); }

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Decodes one sequence at text[i]; returns its length in bytes (at least 1), and the
// character or 0 with ok false when the bytes are not a valid, shortest-form sequence.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& c, bool& ok) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  ok = false;
  std::size_t len;
  char32_t min;
  if (lead < 0x80) {
    c = lead;
    ok = true;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    len = 2, c = lead & 0x1F, min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    len = 3, c = lead & 0x0F, min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    len = 4, c = lead & 0x07, min = 0x10000;
  } else {
    return 1;
  }
  std::size_t k = 1;
  for (; k < len; ++k) {
    if (i + k >= text.size() || (byte(i + k) & 0xC0) != 0x80) return k;  // truncated sequence
    c = (c << 6) | (byte(i + k) & 0x3F);
  }
  ok = c >= min && Encodable(c);
  return len;
}

}  // namespace

std::optional<std::string> WideToNarrow(std::wstring_view text) {
  if (text.size() + 1 > kMaxConvertedChars) return std::nullopt;
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(text[i]));
    // Where wchar_t has 16 bits (Windows) the text is UTF-16: a high surrogate followed
    // by a low one is one character; a lone surrogate stays unencodable.
    if (sizeof(wchar_t) == 2 && c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
      const auto low = static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(text[i + 1]));
      if (low >= 0xDC00 && low <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if (Encodable(c)) {
      AppendUtf8(out, c);
    } else {
      out.push_back('?');
    }
  }
  return out;
}

std::optional<std::wstring> NarrowToWide(std::string_view text) {
  if (text.size() + 1 > kMaxConvertedChars) return std::nullopt;
  std::wstring out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t c = 0;
    bool ok = false;
    i += DecodeUtf8(text, i, c, ok);
    if (!ok) {
      out.push_back(kReplacement);
    } else if (sizeof(wchar_t) == 2 && c >= 0x10000) {
      out.push_back(static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    } else {
      out.push_back(static_cast<wchar_t>(c));
    }
  }
  return out;
}

}  // namespace kavelo::platform
