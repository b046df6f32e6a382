// Test pictures written by the system's own encoders (WIC) for PNG and JPEG.
#include <windows.h>
#include <wincodec.h>

#include <cstring>

#include "tests/support/TestFiles.h"

namespace kavelo::test {
namespace {

template <typename T>
struct Released {
  T* p = nullptr;
  ~Released() {
    if (p != nullptr) p->Release();
  }
};

Bytes EncodeWic(const TestPicture& picture, const GUID& container, bool alpha) {
  Bytes none;
  Released<IWICImagingFactory> factory;
  Released<IStream> stream;
  Released<IWICBitmapEncoder> encoder;
  Released<IWICBitmapFrameEncode> frame;
  Released<IPropertyBag2> options;
  if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                              reinterpret_cast<void**>(&factory.p))) ||
      FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream.p)) ||
      FAILED(factory.p->CreateEncoder(container, nullptr, &encoder.p)) ||
      FAILED(encoder.p->Initialize(stream.p, WICBitmapEncoderNoCache)) ||
      FAILED(encoder.p->CreateNewFrame(&frame.p, &options.p))) {
    return none;
  }
  if (container == GUID_ContainerFormatJpeg) {
    PROPBAG2 name{};
    name.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
    VARIANT quality;
    VariantInit(&quality);
    quality.vt = VT_R4;
    quality.fltVal = 1.0f;
    options.p->Write(1, &name, &quality);
  }
  WICPixelFormatGUID format = alpha ? GUID_WICPixelFormat32bppBGRA : GUID_WICPixelFormat24bppBGR;
  const UINT w = static_cast<UINT>(picture.width), h = static_cast<UINT>(picture.height);
  if (FAILED(frame.p->Initialize(options.p)) || FAILED(frame.p->SetSize(w, h)) ||
      FAILED(frame.p->SetPixelFormat(&format))) {
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
  if (FAILED(frame.p->WritePixels(h, stride, static_cast<UINT>(pixels.size()), pixels.data())) ||
      FAILED(frame.p->Commit()) || FAILED(encoder.p->Commit())) {
    return none;
  }
  HGLOBAL memory = nullptr;
  STATSTG status{};
  if (FAILED(GetHGlobalFromStream(stream.p, &memory)) || FAILED(stream.p->Stat(&status, STATFLAG_NONAME))) return none;
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

}  // namespace kavelo::test
