#pragma once
// The host's tools library: key lookup in key-value texts and frame delivery into the
// host's pixel buffer. A module of its own, which the plug-in links.

#include <cstddef>

#define ORVINA_API __attribute__((visibility("default")))

// Looks `key` up in `text`, a run of pairs written key, kvSep, value, pairSep (the last
// pair may end the text without its pairSep). Keys match exactly; the first pair with
// the key wins. The value is written to `value` NUL-terminated and cut to fit
// `valueSize` bytes; nothing is ever written at or past value[valueSize]. An absent key,
// a null or empty argument leave an empty value. Returns 1 when the key was found, else 0.
ORVINA_API int GetValueFromFormatData(const char* text, const char* key, const char* pairSep,
                                      const char* kvSep, char* value, std::size_t valueSize);
