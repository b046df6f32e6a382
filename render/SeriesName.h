#pragma once
// File names of the pictures the renderer loads. Paths arrive as narrow UTF-8 texts and
// are widened before a name is composed.

#include <cstdint>
#include <optional>
#include <string>

// The longest file name a load accepts, as the name buffers of the picture commands hold it.
inline constexpr std::size_t kMaxFileNameChars = 255;

// Member `number` of a series: the path text, the number in decimal without leading
// zeros, the type text. Empty when a text is null or the name would be too long.
std::optional<std::wstring> SeriesFileName(const char* path, unsigned number, const char* type);
// A single picture's file name: the path text widened. Empty when null or too long.
std::optional<std::wstring> SingleFileName(const char* path);
