// Test pictures written by the system's own encoders (WIC) for PNG and JPEG.
#include <windows.h>
#include <wincodec.h>

#include <cstring>

#include "platform/win32/ComRef.h"
#include "tests/support/TestFiles.h"

namespace kavelo::test {
namespace {

using platform::ComRef;

Bytes EncodeWic(const TestPicture& picture, const GUID& container, bool alpha) {
  Bytes none;
  ComRef<IWICImagingFactory> factory;
  ComRef<IStream> stream;
  ComRef<IWICBitmapEncoder> encoder;
  ComRef<IWICBitmapFrameEncode> frame;
  ComRef<IPropertyBag2> options;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(factory.Out()))) ||
      FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out())) ||
      FAILED(factory->CreateEncoder(container, nullptr, encoder.Out())) ||
      FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(frame.Out(), options.Out()))) {
    return none;
  }
  if (container == GUID_ContainerFormatJpeg) {
    PROPBAG2 name{};
    name.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
    VARIANT quality;
    VariantInit(&quality);
    quality.vt = VT_R4;
    quality.fltVal = 1.0f;
    options->Write(1, &name, &quality);
  }
  WICPixelFormatGUID format = alpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR;
  const UINT w = static_cast<UINT>(picture.width), h = static_cast<UINT>(picture.height);
  if (FAILED(frame->Initialize(options.Get())) || FAILED(frame->SetSize(w, h)) ||
      FAILED(frame->SetPixelFormat(&format))) {
    return none;
  }
  const UINT stride = (w * (alpha ? 4 : 3) + 3) & ~3u;
  Bytes pixels(static_cast<std::size_t>(stride) * h);
  for (UINT i = 0; i < w * h; ++i) {
    const Rgba& c = picture.pixels[i];
    std::uint8_t* p = &pixels[static_cast<std::size_t>(i / w) * stride + (i % w) * (alpha ? 4 : 3)];
    p[0] = c.b, p[1] = c.g, p[2] = c.r;
    if (alpha) p[3] = c.a;
  }
  if (FAILED(frame->WritePixels(h, stride, static_cast<UINT>(pixels.size()), pixels.data())) ||
      FAILED(frame->Commit()) || FAILED(encoder->Commit())) {
    return none;
  }
  HGLOBAL memory = nullptr;
  STATSTG status{};
  if (FAILED(GetHGlobalFromStream(stream.Get(), &memory)) || FAILED(stream->Stat(&status, STATFLAG_NONAME))) return none;
  const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(memory));
  Bytes out(bytes, bytes + status.cbSize.QuadPart);
  GlobalUnlock(memory);
  return out;
}

}  // namespace

Bytes EncodeBySystem(const TestPicture& picture, Format format) {
  // This thread's COM stays up for the program's life: the tests need it again and again.
  static const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  (void)com;
  switch (format) {
    case Format::kPng: return EncodeWic(picture, GUID_ContainerFormatPng, true);
    case Format::kJpeg: return EncodeWic(picture, GUID_ContainerFormatJpeg, false);
    default: return {};
  }
}

// A Windows host reads its picture files as they are.
Bytes Preloaded(const TestPicture&, Format, Bytes file) { return file; }

}  // namespace kavelo::test
