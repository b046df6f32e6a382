#pragma once
// The host's tools library: key lookup in key-value texts and frame delivery into the
// host's pixel buffer. A module of its own, which the plug-in links.

#include <cstddef>

#if defined(_WIN32) && defined(ORVINA_BUILDING)
#define ORVINA_API __declspec(dllexport)
#elif defined(_WIN32)
#define ORVINA_API __declspec(dllimport)
#else
#define ORVINA_API __attribute__((visibility("default")))
#endif

// Looks `key` up in `text`, a run of pairs written key, kvSep, value, pairSep (the last
// pair may end the text without its pairSep). Keys match exactly; the first pair with
// the key wins. The value is written to `value` NUL-terminated and cut to fit
// `valueSize` bytes; nothing is ever written at or past value[valueSize]. An absent key,
// a null or empty argument leave an empty value. Returns 1 when the key was found, else 0.
ORVINA_API int GetValueFromFormatData(const char* text, const char* key, const char* pairSep,
                                      const char* kvSep, char* value, std::size_t valueSize);

// A composed frame as the renderer holds it: `height` rows of `width` pixels, the top row
// first, each row starting `strideBytes` after the one before. Not owned.
struct OrvinaBitmap {
  const unsigned char* pixels;
  int width;
  int height;
  int strideBytes;
  int bitsPerPixel;
};

// Copies the frame into the host's buffer: `screenHeight` rows of `screenWidth` x 4
// bytes, top row first, each pixel blue, green, red, alpha, no row padding. Only 32 bits
// per pixel are delivered: the renderer refuses every other depth when it is set up.
// Writes nothing when an argument is null, a size is not positive, the sizes or the
// depth differ from the frame's, or the frame's stride is shorter than a row. Returns
// the number of rows written (0 when nothing was).
ORVINA_API int GetImageData(const OrvinaBitmap* frame, int screenWidth, int screenHeight, int screenBits,
                            char* hostBuffer);
