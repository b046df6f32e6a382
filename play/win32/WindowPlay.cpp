// kavelo-play in a native Windows window: a window class, the host's message loop (which
// also serves the plug-in's clock), the frame scaled into the window with StretchDIBits.
#include "WindowPlay.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>

#include "BannerFont.h"
#include "PlaySession.h"

namespace kavelo::play {
namespace {

constexpr wchar_t kClassName[] = L"KaveloPlayWindow";

struct Session {
  PlayHost* host;
  PlaySession* play;
  std::vector<char> shown;  // the frame with the cursor and the overlay drawn in
  bool quit = false;
};

void Fill(std::vector<char>& frame, int width, int height, int x0, int y0, int w, int h, COLORREF colour,
          int alpha = 255) {
  for (int y = std::max(y0, 0); y < std::min(y0 + h, height); ++y) {
    for (int x = std::max(x0, 0); x < std::min(x0 + w, width); ++x) {
      auto* p = reinterpret_cast<unsigned char*>(&frame[(static_cast<std::size_t>(y) * width + x) * 4]);
      const int rgb[3] = {GetBValue(colour), GetGValue(colour), GetRValue(colour)};
      for (int c = 0; c < 3; ++c) p[c] = static_cast<unsigned char>((rgb[c] * alpha + p[c] * (255 - alpha)) / 255);
    }
  }
}

void DrawText(Session& s, const std::string& text, int centreX, int top, int scale, COLORREF colour) {
  const int left = centreX - static_cast<int>(text.size()) * (kGlyphWidth + 1) * scale / 2;
  ForEachTextPixel(text, [&](int x, int y) {
    Fill(s.shown, s.host->FrameWidth(), s.host->FrameHeight(), left + x * scale, top + y * scale, scale, scale, colour);
  });
}

void Banner(Session& s, const std::string& title, COLORREF colour, const std::string& line) {
  const int width = s.host->FrameWidth(), bandTop = s.host->FrameHeight() / 2 - 60;
  Fill(s.shown, width, s.host->FrameHeight(), 0, bandTop, width, 120, RGB(0, 0, 0), 215);
  DrawText(s, title, width / 2, bandTop + 16, 6, colour);
  DrawText(s, line, width / 2, bandTop + 76, 3, RGB(235, 235, 235));
}

// The frame with the cursor, then the hint marks and the won, lost, paused or stuck
// banner on top of it.
void Compose(Session& s) {
  PlayHost& host = *s.host;
  const int width = host.FrameWidth(), height = host.FrameHeight();
  s.shown = s.play->ShownFrame();
  const Overlay& overlay = s.play->CurrentOverlay();
  const int cw = host.Query(KAVELO_QUERY_CELL_WIDTH), ch = host.Query(KAVELO_QUERY_CELL_HEIGHT);
  if (overlay.hint) {
    for (const Cell c : {Cell{overlay.hint->x1, overlay.hint->y1}, Cell{overlay.hint->x2, overlay.hint->y2}}) {
      const int x = host.BoardLeft() + c.x * cw, y = host.BoardTop() + c.y * ch;
      Fill(s.shown, width, height, x, y, cw, 3, RGB(255, 255, 255));
      Fill(s.shown, width, height, x, y + ch - 3, cw, 3, RGB(255, 255, 255));
      Fill(s.shown, width, height, x, y, 3, ch, RGB(255, 255, 255));
      Fill(s.shown, width, height, x + cw - 3, y, 3, ch, RGB(255, 255, 255));
    }
  }
  const std::string score = "SCORE " + std::to_string(host.Status().score) + " - PRESS N FOR A NEW GAME";
  switch (host.GameOutcome()) {
    case Outcome::Won: return Banner(s, "YOU WON!", RGB(120, 255, 140), score);
    case Outcome::Lost: return Banner(s, "TIME IS UP", RGB(255, 110, 100), score);
    case Outcome::Playing: break;
  }
  if (s.play->Paused()) {
    Banner(s, "PAUSED", RGB(140, 200, 255), "PRESS P OR CLICK TO GO ON");
  } else if (overlay.noMoveLeft) {
    Banner(s, "NO MOVE LEFT", RGB(255, 220, 90), "PRESS S TO SHUFFLE");
  }
}

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
  if (!s.shown.empty()) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = s.host->FrameWidth();
    info.bmiHeader.biHeight = -s.host->FrameHeight();  // the frame's rows are top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(dc, COLORONCOLOR);  // nearest pixel: crisp when scaled
    StretchDIBits(dc, 0, 0, client.right, client.bottom, 0, 0, s.host->FrameWidth(), s.host->FrameHeight(),
                  s.shown.data(), &info, DIB_RGB_COLORS, SRCCOPY);
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
  Session session{&host, &play, {}};
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
  while (!session.quit && GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    if (!host.TakeFrame()) continue;
    Compose(session);
    InvalidateRect(window, nullptr, FALSE);
    SetWindowTextW(window, Wide(play.Title()).c_str());
  }
  if (!session.quit) DestroyWindow(window);
  play.Quit();
  return WindowResult::Quit;
}

}  // namespace kavelo::play
