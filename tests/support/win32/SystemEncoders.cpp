// Test pictures written by the system's own encoders (WIC) for PNG and JPEG; BMP is
// written here by hand, 24 bits, or 32 with an alpha mask (a V4 header).
#include <windows.h>
#include <wincodec.h>

#include <cstring>

#include "tests/support/TestFiles.h"

namespace kavelo::test {
namespace {

void Put(Bytes& out, std::uint32_t value, int count) {
  for (int i = 0; i < count; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

Bytes EncodeBmp(const TestPicture& picture, bool alpha) {
  const int bytesPerPixel = alpha ? 4 : 3;
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(picture.width) * bytesPerPixel + 3) & ~3u;
  const std::uint32_t headerBytes = alpha ? 108 : 40, offset = 14 + headerBytes;
  const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(picture.height);
  Bytes out = {'B', 'M'};
  Put(out, offset + imageBytes, 4), Put(out, 0, 4), Put(out, offset, 4);
  Put(out, headerBytes, 4), Put(out, picture.width, 4), Put(out, picture.height, 4);  // bottom-up
  Put(out, 1, 2), Put(out, bytesPerPixel * 8, 2), Put(out, alpha ? 3 : 0, 4);        // BI_BITFIELDS for alpha
  Put(out, imageBytes, 4), Put(out, 3780, 4), Put(out, 3780, 4), Put(out, 0, 4), Put(out, 0, 4);
  if (alpha) {
    Put(out, 0x00FF0000, 4), Put(out, 0x0000FF00, 4), Put(out, 0x000000FF, 4), Put(out, 0xFF000000, 4);
    Put(out, 0x73524742, 4);  // sRGB
    out.insert(out.end(), 48, 0);  // end points and gamma, unused for sRGB
  }
  for (int y = picture.height - 1; y >= 0; --y) {
    const std::size_t start = out.size();
    for (int x = 0; x < picture.width; ++x) {
      const Rgba& c = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
      out.insert(out.end(), {c.b, c.g, c.r});
      if (alpha) out.push_back(c.a);
    }
    out.resize(start + rowBytes, 0);
  }
  return out;
}

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
    case Format::kBmp24: return EncodeBmp(picture, false);
    case Format::kBmp32: return EncodeBmp(picture, true);
    case Format::kPng: return EncodeWic(picture, GUID_ContainerFormatPng, true);
    case Format::kJpeg: return EncodeWic(picture, GUID_ContainerFormatJpeg, false);
    case Format::kGif:
    case Format::kBmpTopDown:
    case Format::kIcon: break;
  }
  return {};
}

}  // namespace kavelo::test
