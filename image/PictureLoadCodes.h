#pragma once
// Results of loading a picture. Callers only tell zero from nonzero; the values tell the
// failures apart for tests and diagnostics.

namespace kavelo::image {

inline constexpr int kPictureLoaded = 0;
// The picture object already holds a picture, or the path names nothing that can be
// opened and read as a file (missing, a directory, a device, an unusable path).
inline constexpr int kPictureCannotOpen = -1;
// Memory for the file's bytes or the pixels cannot be had, or the file is larger than
// any picture this loader accepts.
inline constexpr int kPictureNoMemory = -2;
// The file holds no bytes.
inline constexpr int kPictureEmptyFile = -3;
// The bytes are not a picture this loader decodes, or one too large to decode.
inline constexpr int kPictureNotDecodable = -5;
// The file's bytes cannot be read in full.
inline constexpr int kPictureReadFailed = -6;
// The size the file declares would take its holder past the memory it allows pictures;
// nothing was decoded.
inline constexpr int kPictureOverBudget = -7;

}  // namespace kavelo::image
