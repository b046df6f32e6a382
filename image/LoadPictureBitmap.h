#pragma once
// The decoding half of a picture load: a file drawn at its natural size into a bitmap.

#include <string>

#include "image/OlePicture.h"
#include "image/PictureBitmap.h"

// Loads the file at `path` with `picture`, draws it at its natural size on the display
// into `bitmap` (replacing what the bitmap held) and releases the picture again. Returns
// 0, or Load's failure code, and then `bitmap` is untouched; kPictureNoMemory when the
// bitmap cannot be made, and then `bitmap` is empty. The picture object holds nothing
// afterwards unless it held a picture before the call.
int LoadPictureBitmap(COlePicture& picture, const std::wstring& path, kavelo::platform::FrameSurface& bitmap);
