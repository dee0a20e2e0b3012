#include "tibbet_e2e.h"

#include <vector>

namespace tibbet_e2e {

std::string TibbetExe() { return testkit::WinPath(TIBBET_EXE); }

Install NewInstall(const std::string& sTag) {
  Install in;
  in.dir = testkit::NewScratchDir(sTag);
  in.exe = testkit::CopyInto(TibbetExe(), in.dir, "Tibbet.exe");
  in.clockIni = in.dir + "\\Clock.ini";
  in.pluginIni = in.dir + "\\plugin.ini";
  return in;
}

testkit::Process Install::Run(const std::string& sArguments) const {
  return testkit::Start(exe, sArguments, dir);
}

void Install::WriteClockIni(const std::string& sText) const {
  testkit::WriteFileBytes(clockIni, sText);
}

std::string Install::ClockIniText() const {
  return testkit::PathExists(clockIni) ? testkit::ReadFileBytes(clockIni) : std::string();
}

std::string Install::PluginIniText() const {
  return testkit::PathExists(pluginIni) ? testkit::ReadFileBytes(pluginIni) : std::string();
}

HWND WaitForWindowOf(DWORD dwProcessId, const char* sCaption, DWORD dwTimeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    for (HWND h : uidriver::TopWindowsOfProcess(dwProcessId)) {
      if (uidriver::GetText(h) == sCaption && IsWindowVisible(h)) return h;
    }
    if (GetTickCount() - start >= dwTimeoutMs) return nullptr;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(20);
  }
}

RECT WindowRectTwips(HWND hwnd) {
  RECT r = {};
  GetWindowRect(hwnd, &r);
  HDC screen = GetDC(nullptr);
  const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  r.left = MulDiv(r.left, 1440, dpiX);
  r.right = MulDiv(r.right, 1440, dpiX);
  r.top = MulDiv(r.top, 1440, dpiY);
  r.bottom = MulDiv(r.bottom, 1440, dpiY);
  return r;
}

bool IsTopmost(HWND hwnd) { return (GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

HWND ClockLabel(HWND hwndClock) { return uidriver::ControlById(hwndClock, 1); }

namespace {

void PumpFor(DWORD dwMs) {
  DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  } while (GetTickCount() - start < dwMs);
}

HWND VisibleMenuOf(DWORD dwProcessId) {
  for (HWND h : uidriver::TopWindowsOfProcess(dwProcessId)) {
    char cls[32] = {};
    GetClassNameA(h, cls, sizeof cls);
    if (strcmp(cls, "#32768") == 0 && IsWindowVisible(h)) return h;
  }
  return nullptr;
}

// Pixels of a rectangle (of the screen, or of a device context) as BGRX.
std::vector<unsigned> Pixels(HDC hdcFrom, int x, int y, int w, int h) {
  std::vector<unsigned> px(static_cast<size_t>(w) * h);
  HDC mem = CreateCompatibleDC(hdcFrom);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, hdcFrom, x, y, SRCCOPY);
  GdiFlush();
  memcpy(px.data(), bits, px.size() * 4);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  for (unsigned& p : px) p &= 0xFFFFFF;
  return px;
}

// The label's text drawn as a static control draws centred text, on the
// clock's colours.
std::vector<unsigned> Drawn(const std::string& sText, const char* sFace, int w, int h, int wFull,
                            int hFull) {
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, wFull, hFull);
  HGDIOBJ oldBmp = SelectObject(mem, bmp);
  RECT r = {0, 0, wFull, hFull};
  HBRUSH black = CreateSolidBrush(RGB(0, 0, 0));
  FillRect(mem, &r, black);
  DeleteObject(black);
  HFONT font = CreateFontA(-MulDiv(1575, GetDeviceCaps(screen, LOGPIXELSY), 7200), 0, 0, 0,
                           FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, sFace);
  HGDIOBJ oldFont = SelectObject(mem, font);
  SetTextColor(mem, RGB(0, 255, 0));
  SetBkColor(mem, RGB(0, 0, 0));
  DrawTextA(mem, sText.c_str(), -1, &r, DT_CENTER | DT_EXPANDTABS | DT_WORDBREAK);
  std::vector<unsigned> px = Pixels(mem, 0, 0, w, h);
  SelectObject(mem, oldFont);
  DeleteObject(font);
  SelectObject(mem, oldBmp);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return px;
}

}  // namespace

bool ChoosePopupItem(HWND hwndClock, int iItem) {
  HWND label = ClockLabel(hwndClock);
  DWORD pid = uidriver::WindowProcessId(hwndClock);
  if (!label || !pid) return false;
  PostMessageA(label, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 10));
  PostMessageA(label, WM_RBUTTONUP, 0, MAKELPARAM(10, 10));
  HWND menu = nullptr;
  for (int i = 0; i < 200 && !menu; ++i) {
    menu = VisibleMenuOf(pid);
    if (!menu) PumpFor(20);
  }
  if (!menu) return false;
  // The menu's loop reads the keys of its thread: down to the item, Enter.
  for (int i = 0; i <= iItem; ++i) PostMessageA(hwndClock, WM_KEYDOWN, VK_DOWN, 0);
  PostMessageA(hwndClock, WM_KEYDOWN, VK_RETURN, 0);
  return true;
}

bool LabelShowsFont(HWND hwndClock, const char* sFace) {
  HWND label = ClockLabel(hwndClock);
  if (!label) return false;
  RECT labelRect, clientRect;
  GetWindowRect(label, &labelRect);
  GetClientRect(hwndClock, &clientRect);
  MapWindowPoints(hwndClock, nullptr, reinterpret_cast<POINT*>(&clientRect), 2);
  RECT seen;
  IntersectRect(&seen, &labelRect, &clientRect);  // the part of the label inside the window
  const int w = seen.right - seen.left, h = seen.bottom - seen.top;
  const int wFull = labelRect.right - labelRect.left, hFull = labelRect.bottom - labelRect.top;
  for (int attempt = 0; attempt < 5; ++attempt) {
    std::string before = uidriver::GetText(label);
    PumpFor(50);  // let a repaint after a new second land
    HDC screen = GetDC(nullptr);
    std::vector<unsigned> onScreen = Pixels(screen, seen.left, seen.top, w, h);
    ReleaseDC(nullptr, screen);
    if (uidriver::GetText(label) != before) continue;
    if (onScreen == Drawn(before, sFace, w, h, wFull, hFull)) return true;
  }
  return false;
}

bool FontsDrawAlike(const char* sFaceA, const char* sFaceB) {
  const char* text = "12:34:56 PM";
  return Drawn(text, sFaceA, 160, 30, 160, 30) == Drawn(text, sFaceB, 160, 30, 160, 30);
}

}  // namespace tibbet_e2e
