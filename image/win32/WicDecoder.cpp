// Bytes of a recognised format to 32-bit pixels by the Windows Imaging Component: the
// first frame, converted to blue, green, red, alpha (straight, not premultiplied; 255
// where the picture has none, 0 on a transparent colour), top row first.
#include <algorithm>
#include <windows.h>
#include <wincodec.h>

#include <climits>
#include <vector>

#include "image/GifDataCheck.h"
#include "image/IconDirectory.h"
#include "image/PictureDecoder.h"
#include "image/PictureLoadCodes.h"
#include "image/win32/ComApartment.h"
#include "image/win32/PngCrcCheck.h"
#include "platform/win32/ComRef.h"

namespace kavelo::image {
namespace {

using platform::ComRef;

int DecodeInApartment(const std::uint8_t* bytes, std::size_t size, DecodedPicture& picture) {
  ComRef<IWICImagingFactory> factory;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(factory.Out())))) {
    return kPictureNotDecodable;
  }
  ComRef<IWICStream> stream;
  if (FAILED(factory->CreateStream(stream.Out()))) return kPictureNoMemory;
  // WIC reads the caller's bytes in place and never writes them.
  if (FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes), static_cast<DWORD>(size)))) {
    return kPictureNoMemory;
  }
  ComRef<IWICBitmapDecoder> decoder;
  if (FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand,
                                              decoder.Out()))) {
    return kPictureNotDecodable;
  }
  ComRef<IWICBitmapFrameDecode> frame;
  if (FAILED(decoder->GetFrame(0, frame.Out()))) return kPictureNotDecodable;
  UINT width = 0, height = 0;
  if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 ||
      width > static_cast<UINT>(kMaxPictureSide) || height > static_cast<UINT>(kMaxPictureSide)) {
    return kPictureNotDecodable;
  }
  ComRef<IWICBitmapSource> converted;
  if (FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.Get(), converted.Out()))) {
    return kPictureNotDecodable;
  }
  // At most 8192 x 8192 x 4 bytes: 256 MiB, within UINT.
  DecodedPicture decoded;
  if (!decoded.Allocate(static_cast<int>(width), static_cast<int>(height))) return kPictureNoMemory;
  // In bands of rows, so that a converter needs room for a band at a time, not a picture.
  constexpr UINT kBandRows = 256;
  for (UINT top = 0; top < height; top += kBandRows) {
    const UINT rows = std::min(kBandRows, height - top);
    const WICRect band{0, static_cast<INT>(top), static_cast<INT>(width), static_cast<INT>(rows)};
    if (FAILED(converted->CopyPixels(&band, static_cast<UINT>(decoded.Pitch()), static_cast<UINT>(decoded.Pitch() * rows),
                                     decoded.Row(static_cast<int>(top))))) {
      return kPictureNotDecodable;
    }
  }
  picture = std::move(decoded);
  return kPictureLoaded;
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value)), out.push_back(static_cast<std::uint8_t>(value >> 8));
}

// The entry an icon shows, chosen as by the SDL decoder: a PNG goes the way of any PNG
// file, size check included; a bitmap entry goes to the system's icon decoder alone in a
// directory of its own, so that the decoder cannot show another entry.
int DecodeIcon(const std::uint8_t* bytes, std::size_t size, DecodedPicture& picture) {
  const auto entry = BestIconEntry(bytes, size);
  if (!entry || entry->size > 0xFFFFFFFFu) return kPictureNotDecodable;
  const std::uint8_t* data = bytes + entry->offset;
  if (entry->png) {
    const DeclaredSize declared = ReadDeclaredSize(data, entry->size);
    if (declared.format != PictureFormat::kPng || !MayDecode(declared)) return kPictureNotDecodable;
    return DecodePicture(PictureFormat::kPng, data, entry->size, picture);
  }
  if (entry->width <= 0 || entry->height <= 0 || entry->width > kMaxPictureSide || entry->height > kMaxPictureSide) {
    return kPictureNotDecodable;
  }
  constexpr std::uint32_t kDirectoryBytes = 6 + 16;
  std::vector<std::uint8_t> single;
  single.reserve(kDirectoryBytes + entry->size);
  Put16(single, 0), Put16(single, 1), Put16(single, 1);  // an icon directory of one entry
  single.push_back(static_cast<std::uint8_t>(entry->width < 256 ? entry->width : 0));
  single.push_back(static_cast<std::uint8_t>(entry->height < 256 ? entry->height : 0));
  single.push_back(0), single.push_back(0);
  Put16(single, 1), Put16(single, static_cast<std::uint32_t>(entry->bitsPerPixel));
  const auto entryBytes = static_cast<std::uint32_t>(entry->size);
  Put16(single, entryBytes & 0xFFFF), Put16(single, entryBytes >> 16);
  Put16(single, kDirectoryBytes), Put16(single, 0);
  single.insert(single.end(), data, data + entry->size);
  const ComApartment com;
  if (!com.Usable()) return kPictureNotDecodable;
  return DecodeInApartment(single.data(), single.size(), picture);
}

}  // namespace

int DecodePicture(PictureFormat format, const std::uint8_t* bytes, std::size_t size, DecodedPicture& picture) {
  if (bytes == nullptr || size == 0 || size > static_cast<std::size_t>(INT_MAX) || format == PictureFormat::kUnknown) {
    return kPictureNotDecodable;
  }
  if (format == PictureFormat::kGif && !GifSafeToDecode(bytes, size)) return kPictureNotDecodable;
  if (format == PictureFormat::kPng && !PngCriticalChunksIntact(bytes, size)) return kPictureNotDecodable;
  if (format == PictureFormat::kIcon) return DecodeIcon(bytes, size, picture);
  const ComApartment com;
  if (!com.Usable()) return kPictureNotDecodable;
  return DecodeInApartment(bytes, size, picture);
}

}  // namespace kavelo::image
