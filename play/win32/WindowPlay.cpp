// kavelo-play in a native Windows window: a window class, the host's message loop (which
// also serves the plug-in's clock), the frame scaled into the window with StretchDIBits.
#include "WindowPlay.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "PlaySession.h"

namespace kavelo::play {
namespace {

constexpr wchar_t kClassName[] = L"KaveloPlayWindow";

struct Session {
  PlayHost* host;
  PlaySession* play;
  bool shown = false;  // a frame has been composed
  bool quit = false;
};

std::wstring Wide(const std::string& utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
  if (length > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
  return wide;
}

void Paint(HWND window, Session& s) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  if (s.shown) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = s.host->FrameWidth();
    info.bmiHeader.biHeight = -s.host->FrameHeight();  // the frame's rows are top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(dc, COLORONCOLOR);  // nearest pixel: crisp when scaled
    StretchDIBits(dc, 0, 0, client.right, client.bottom, 0, 0, s.host->FrameWidth(), s.host->FrameHeight(),
                  s.play->ShownFrame().data(), &info, DIB_RGB_COLORS, SRCCOPY);
  }
  EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* s = reinterpret_cast<Session*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (s == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  PlayHost& host = *s->host;
  switch (message) {
    case WM_PAINT:
      Paint(window, *s);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_LBUTTONDOWN: {
      // Window pixels back to frame pixels, as the frame is stretched over the window.
      RECT client;
      GetClientRect(window, &client);
      const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
      const int fx = client.right > 0 ? x * host.FrameWidth() / client.right : x;
      const int fy = client.bottom > 0 ? y * host.FrameHeight() / client.bottom : y;
      s->play->Click(host.CellAt(fx, fy));
      return 0;
    }
    case WM_KEYDOWN: {
      const PlayKey key = KeyOf(static_cast<int>(wParam), GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_SHIFT) < 0);
      if (key == PlayKey::Quit) DestroyWindow(window);
      else s->play->Press(key);
      return 0;
    }
    case WM_ACTIVATE:
      // Another window took the focus, or this one was minimised.
      if (LOWORD(wParam) == WA_INACTIVE || HIWORD(wParam) != 0) s->play->LoseFocus();
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) s->play->LoseFocus();
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_DESTROY:
      s->quit = true;
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

WindowResult PlayInWindow(const PlaySettings& settings, GameKeeper& keeper) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.lpszClassName = kClassName;
  if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return WindowResult::NoDisplay;
  }
  PlayHost host(settings);
  PlaySession play(host, settings, keeper);
  Session session{&host, &play};
  RECT frame{0, 0, host.FrameWidth(), host.FrameHeight()};
  const DWORD style = WS_OVERLAPPEDWINDOW;
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowExW(0, kClassName, L"kavelo-play", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return WindowResult::NoDisplay;
  if (!play.Start()) {
    DestroyWindow(window);
    return WindowResult::SetUpFailed;
  }
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&session));
  ShowWindow(window, SW_SHOW);

  // The ordinary message loop: input and the plug-in's timer callbacks alike.
  MSG msg;
  std::wstring title;
  std::string shared;  // the daily result, printed once it is won
  while (!session.quit && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    if (!host.TakeFrame()) continue;
    // Only the band of rows that changed is painted again, as the frame is stretched.
    const RowBand rows = play.ComposeFrame();
    session.shown = true;
    if (!rows.Empty()) {
      RECT client;
      GetClientRect(window, &client);
      const int height = host.FrameHeight();
      RECT band{0, rows.first * client.bottom / height - 1, client.right,
                (rows.End() * client.bottom + height - 1) / height + 1};
      InvalidateRect(window, &band, FALSE);
    }
    if (std::wstring now = Wide(play.Title()); now != title) {
      title = std::move(now);
      SetWindowTextW(window, title.c_str());
    }
    if (play.ShareLine() != shared) std::printf("%s\n", (shared = play.ShareLine()).c_str());
  }
  if (!session.quit) DestroyWindow(window);
  play.Quit();
  return WindowResult::Quit;
}

}  // namespace kavelo::play
