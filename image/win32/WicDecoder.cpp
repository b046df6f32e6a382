// Bytes of a recognised format to 32-bit pixels by the Windows Imaging Component: the
// first frame, converted to blue, green, red, alpha (straight, not premultiplied; 255
// where the picture has none, 0 on a transparent colour), top row first.
#include <windows.h>
#include <wincodec.h>

#include <climits>
#include <new>

#include "image/GifDataCheck.h"
#include "image/PictureDecoder.h"
#include "image/PictureLoadCodes.h"
#include "image/win32/ComApartment.h"
#include "image/win32/PngCrcCheck.h"

namespace kavelo::image {
namespace {

// Releases a COM interface on every way out.
template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ~ComRef() {
    if (m_p != nullptr) m_p->Release();
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  T** Out() { return &m_p; }
  T* operator->() const { return m_p; }
  T* Get() const { return m_p; }

 private:
  T* m_p = nullptr;
};

int DecodeInApartment(const std::uint8_t* bytes, std::size_t size, SurfacePtr& surface) {
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
  const UINT pitch = width * 4;
  const std::size_t total = static_cast<std::size_t>(pitch) * height;
  auto picture = std::make_unique<DecodedPicture>();
  picture->storage.reset(new (std::nothrow) std::uint8_t[total]);
  if (!picture->storage) return kPictureNoMemory;
  if (FAILED(converted->CopyPixels(nullptr, pitch, static_cast<UINT>(total), picture->storage.get()))) {
    return kPictureNotDecodable;
  }
  picture->w = static_cast<int>(width);
  picture->h = static_cast<int>(height);
  picture->pitch = static_cast<int>(pitch);
  picture->pixels = picture->storage.get();
  surface = std::move(picture);
  return kPictureLoaded;
}

}  // namespace

int DecodePicture(PictureFormat format, const std::uint8_t* bytes, std::size_t size, SurfacePtr& surface) {
  if (bytes == nullptr || size == 0 || size > static_cast<std::size_t>(INT_MAX) || format == PictureFormat::kUnknown) {
    return kPictureNotDecodable;
  }
  if (format == PictureFormat::kGif && !GifSafeToDecode(bytes, size)) return kPictureNotDecodable;
  if (format == PictureFormat::kPng && !PngCriticalChunksIntact(bytes, size)) return kPictureNotDecodable;
  const ComApartment com;
  if (!com.Usable()) return kPictureNotDecodable;
  return DecodeInApartment(bytes, size, surface);
}

}  // namespace kavelo::image
