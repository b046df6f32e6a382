#include "image/PictureFile.h"

#include "image/PictureLoadCodes.h"
#include "platform/TextCodec.h"

namespace kavelo::image {

int ReadPictureFile(const std::wstring& path, PictureBytes& bytes) {
  const auto narrowPath = platform::WideToNarrow(path);
  if (!narrowPath) return kPictureCannotOpen;
  switch (platform::ReadRegularFile(*narrowPath, kMaxPictureFileBytes, bytes)) {
    case platform::FileRead::Ok: return kPictureLoaded;
    case platform::FileRead::CannotOpen: return kPictureCannotOpen;
    case platform::FileRead::Empty: return kPictureEmptyFile;
    case platform::FileRead::TooLarge:
    case platform::FileRead::NoMemory: return kPictureNoMemory;
    case platform::FileRead::ReadFailed: break;
  }
  return kPictureReadFailed;
}

int ReadDeclaredFileSize(const std::wstring& path, DeclaredSize& declared) {
  PictureBytes bytes;
  const int code = ReadPictureFile(path, bytes);
  if (code != kPictureLoaded) return code;
  declared = ReadDeclaredSize(bytes.data.get(), bytes.size);
  return MayDecode(declared) ? kPictureLoaded : kPictureNotDecodable;
}

}  // namespace kavelo::image
