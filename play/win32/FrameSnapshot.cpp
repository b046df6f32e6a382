// Frames as PNG files, by the system's PNG encoder (WIC).
#include "FrameSnapshot.h"

#include <windows.h>
#include <wincodec.h>

#include "platform/win32/ComRef.h"

namespace kavelo::play {

using platform::ComRef;

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
    ComRef<IWICImagingFactory> factory;
    ComRef<IWICStream> stream;
    ComRef<IWICBitmapEncoder> encoder;
    ComRef<IWICBitmapFrameEncode> target;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGR;
    const UINT stride = static_cast<UINT>(width) * 4;
    ok = SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                    reinterpret_cast<void**>(factory.Out()))) &&
         SUCCEEDED(factory->CreateStream(stream.Out())) &&
         SUCCEEDED(stream->InitializeFromFilename(widePath.c_str(), GENERIC_WRITE)) &&
         SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.Out())) &&
         SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
         SUCCEEDED(encoder->CreateNewFrame(target.Out(), nullptr)) && SUCCEEDED(target->Initialize(nullptr)) &&
         SUCCEEDED(target->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) &&
         SUCCEEDED(target->SetPixelFormat(&format)) &&
         SUCCEEDED(target->WritePixels(static_cast<UINT>(height), stride, stride * static_cast<UINT>(height),
                                         reinterpret_cast<BYTE*>(const_cast<char*>(frame.data())))) &&
         SUCCEEDED(target->Commit()) && SUCCEEDED(encoder->Commit());
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return ok;
}

}  // namespace kavelo::play
