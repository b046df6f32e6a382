// kavelo-play in a native Windows window: a window class, the host's message loop (which
// also serves the plug-in's clock), the frame scaled into the window with StretchDIBits.
#include "WindowPlay.h"

#include <windows.h>

#include <optional>
#include <string>

#include "BannerFont.h"
#include "PlayHost.h"

namespace kavelo::play {
namespace {

constexpr wchar_t kClassName[] = L"KaveloPlayWindow";

// What the window shows besides the frame: the hint and the end of the game.
struct Overlay {
  std::optional<KaveloMove> hint;
  bool noMoveLeft = false;
};

struct Session {
  PlayHost* host;
  Overlay overlay;
  std::vector<char> shown;  // the frame with the overlay drawn in
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

// The frame, then the hint marks and the won, lost or stuck banner on top of it.
void Compose(Session& s) {
  PlayHost& host = *s.host;
  const int width = host.FrameWidth(), height = host.FrameHeight();
  s.shown = host.Frame();
  const int cw = host.Query(KAVELO_QUERY_CELL_WIDTH), ch = host.Query(KAVELO_QUERY_CELL_HEIGHT);
  if (s.overlay.hint) {
    for (const Cell c : {Cell{s.overlay.hint->x1, s.overlay.hint->y1}, Cell{s.overlay.hint->x2, s.overlay.hint->y2}}) {
      const int x = host.BoardLeft() + c.x * cw, y = host.BoardTop() + c.y * ch;
      Fill(s.shown, width, height, x, y, cw, 3, RGB(255, 255, 255));
      Fill(s.shown, width, height, x, y + ch - 3, cw, 3, RGB(255, 255, 255));
      Fill(s.shown, width, height, x, y, 3, ch, RGB(255, 255, 255));
      Fill(s.shown, width, height, x + cw - 3, y, 3, ch, RGB(255, 255, 255));
    }
  }
  const Outcome outcome = host.GameOutcome();
  if (outcome == Outcome::Playing && !s.overlay.noMoveLeft) return;
  const int bandTop = height / 2 - 60;
  Fill(s.shown, width, height, 0, bandTop, width, 120, RGB(0, 0, 0), 215);
  std::string title, line = "SCORE " + std::to_string(host.Status().score) + " - PRESS N FOR A NEW GAME";
  COLORREF colour;
  if (outcome == Outcome::Won) {
    colour = RGB(120, 255, 140), title = "YOU WON!";
  } else if (outcome == Outcome::Lost) {
    colour = RGB(255, 110, 100), title = "TIME IS UP";
  } else {
    colour = RGB(255, 220, 90), title = "NO MOVE LEFT", line = "PRESS S TO SHUFFLE";
  }
  DrawText(s, title, width / 2, bandTop + 16, 6, colour);
  DrawText(s, line, width / 2, bandTop + 76, 3, RGB(235, 235, 235));
}

std::wstring Title(PlayHost& host) {
  const GameStatus s = host.Status();
  const wchar_t* state = host.GameOutcome() == Outcome::Won ? L"  -  WON" : host.GameOutcome() == Outcome::Lost ? L"  -  LOST" : L"";
  return L"kavelo-play  -  score " + std::to_wstring(s.score) + L"  pairs " + std::to_wstring(s.pairs) + L"  misses " +
         std::to_wstring(s.misses) + L"  " + std::to_wstring(s.secondsLeft) + L" s left" + state;
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
      s->overlay.hint.reset();
      host.Click(host.CellAt(fx, fy));
      return 0;
    }
    case WM_KEYDOWN:
      switch (wParam) {
        case VK_ESCAPE: DestroyWindow(window); break;
        case 'S': host.Shuffle(KAVELO_SHUFFLE_MIX), s->overlay = {}; break;
        case 'N': host.NewGame(), s->overlay = {}; break;
        case 'H': {
          KaveloMove move{};
          s->overlay.noMoveLeft = !host.FindHint(move) && host.GameOutcome() == Outcome::Playing;
          s->overlay.hint = s->overlay.noMoveLeft ? std::nullopt : std::optional<KaveloMove>(move);
          break;
        }
        default: break;
      }
      return 0;
    case WM_DESTROY:
      s->quit = true;
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

WindowResult PlayInWindow(const PlaySettings& settings) {
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
  Session session{&host, {}, {}};
  RECT frame{0, 0, host.FrameWidth(), host.FrameHeight()};
  const DWORD style = WS_OVERLAPPEDWINDOW;
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowExW(0, kClassName, L"kavelo-play", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return WindowResult::NoDisplay;
  if (!host.NewGame()) {
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
    SetWindowTextW(window, Title(host).c_str());
  }
  if (!session.quit) DestroyWindow(window);
  return WindowResult::Quit;
}

}  // namespace kavelo::play
