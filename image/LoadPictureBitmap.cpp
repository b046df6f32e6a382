#include "image/LoadPictureBitmap.h"

#include "image/PictureLoadCodes.h"

using namespace kavelo::image;

int LoadPictureBitmap(COlePicture& picture, const std::wstring& path, kavelo::platform::FrameSurface& bitmap) {
  const int code = picture.Load(path);
  if (code != kPictureLoaded) return code;
  const PictureDevice display;
  const int width = picture.GetWidth(display);
  const int height = picture.GetHeight(display);
  const bool created = bitmap.Create(width, height);
  if (created) picture.Render(bitmap, PictureRect{0, 0, width, height});
  picture.Free();
  return created ? kPictureLoaded : kPictureNoMemory;
}
