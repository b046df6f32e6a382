// Frames as PNG files, by the system's PNG encoder (WIC).
#include "FrameSnapshot.h"

#include <windows.h>
#include <wincodec.h>

namespace kavelo::play {
namespace {

template <typename T>
struct Released {
  T* p = nullptr;
  ~Released() {
    if (p != nullptr) p->Release();
  }
};

}  // namespace

bool WriteFramePng(const std::string& path, const std::vector<char>& frame, int width, int height) {
  if (width <= 0 || height <= 0 || frame.size() < static_cast<std::size_t>(width) * height * 4) return false;
  const int wideLength = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
  if (wideLength <= 0) return false;
  std::wstring widePath(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, widePath.data(), wideLength);
  // The frame's alpha marks key colours, not transparency: it is written as 32-bit BGR.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  bool ok = false;
  {
    Released<IWICImagingFactory> factory;
    Released<IWICStream> stream;
    Released<IWICBitmapEncoder> encoder;
    Released<IWICBitmapFrameEncode> target;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
    const UINT stride = static_cast<UINT>(width) * 4;
    ok = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(&factory.p))) &&
         SUCCEEDED(factory.p->CreateStream(&stream.p)) &&
         SUCCEEDED(stream.p->InitializeFromFilename(widePath.c_str(), GENERIC_WRITE)) &&
         SUCCEEDED(factory.p->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder.p)) &&
         SUCCEEDED(encoder.p->Initialize(stream.p, WICBitmapEncoderNoCache)) &&
         SUCCEEDED(encoder.p->CreateNewFrame(&target.p, nullptr)) && SUCCEEDED(target.p->Initialize(nullptr)) &&
         SUCCEEDED(target.p->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
         SUCCEEDED(target.p->SetPixelFormat(&format)) &&
         SUCCEEDED(target.p->WritePixels(static_cast<UINT>(height), stride, stride * static_cast<UINT>(height),
                                         reinterpret_cast<BYTE*>(const_cast<char*>(frame.data())))) &&
         SUCCEEDED(target.p->Commit()) && SUCCEEDED(encoder.p->Commit());
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return ok;
}

}  // namespace kavelo::play
