#include "uidriver.h"

#include <cstdlib>
#include <fstream>

namespace uidriver {

namespace {

void Pump(DWORD dwMs) {
  // The test process may own windows too; keep them answering while waiting.
  DWORD until = GetTickCount() + dwMs;
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  } while (static_cast<LONG>(until - GetTickCount()) > 0);
}

std::string ClassOf(HWND hwnd) {
  char name[256] = {};
  GetClassNameA(hwnd, name, sizeof name);
  return name;
}

struct FindState {
  const char* caption;
  const char* cls;
  DWORD pid;
  HWND found;
  std::vector<HWND>* all;
};

BOOL CALLBACK FindProc(HWND hwnd, LPARAM lp) {
  auto* st = reinterpret_cast<FindState*>(lp);
  if (st->pid) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != st->pid) return TRUE;
  }
  if (st->cls && ClassOf(hwnd) != st->cls) return TRUE;
  if (st->caption && GetText(hwnd) != st->caption) return TRUE;
  if (st->all) {
    st->all->push_back(hwnd);
    return TRUE;
  }
  st->found = hwnd;
  return FALSE;
}

HWND FindMatching(const char* sCaption, const char* sClass, DWORD dwPid) {
  FindState st = {sCaption, sClass, dwPid, nullptr, nullptr};
  EnumWindows(FindProc, reinterpret_cast<LPARAM>(&st));
  return st.found;
}

// Pixels of a screen rectangle, as 32-bit BGRX.
std::vector<unsigned> CaptureScreen(const RECT& r) {
  int w = r.right - r.left, h = r.bottom - r.top;
  std::vector<unsigned> px(static_cast<size_t>(w) * h);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  memcpy(px.data(), bits, px.size() * 4);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return px;
}

std::vector<unsigned> RenderIcon(LPCSTR idi, int w, int h, unsigned background) {
  std::vector<unsigned> px(static_cast<size_t>(w) * h);
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  auto* p = static_cast<unsigned*>(bits);
  for (size_t i = 0; i < px.size(); ++i) p[i] = background;
  HICON icon = LoadIconA(nullptr, idi);
  DrawIconEx(mem, 0, 0, icon, w, h, 0, nullptr, DI_NORMAL);
  GdiFlush();
  memcpy(px.data(), bits, px.size() * 4);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  return px;
}

long long Distance(const std::vector<unsigned>& a, const std::vector<unsigned>& b) {
  long long d = 0;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    for (int s = 0; s < 24; s += 8) {
      d += std::abs(static_cast<int>((a[i] >> s) & 0xFF) - static_cast<int>((b[i] >> s) & 0xFF));
    }
  }
  return d;
}

BoxIcon IdentifyIcon(HWND hwndIcon) {
  RECT r;
  GetWindowRect(hwndIcon, &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return BoxIcon::Unknown;
  std::vector<unsigned> shot = CaptureScreen(r);
  const struct {
    LPCSTR id;
    BoxIcon icon;
  } kIcons[] = {{IDI_HAND, BoxIcon::Stop},
                {IDI_QUESTION, BoxIcon::Question},
                {IDI_EXCLAMATION, BoxIcon::Exclamation},
                {IDI_ASTERISK, BoxIcon::Information}};
  BoxIcon best = BoxIcon::Unknown;
  long long bestDistance = -1;
  for (const auto& k : kIcons) {
    long long d = Distance(shot, RenderIcon(k.id, w, h, shot[0]));
    if (bestDistance < 0 || d < bestDistance) {
      bestDistance = d;
      best = k.icon;
    }
  }
  // Nothing close at all: the icon is hidden behind something.
  if (bestDistance > static_cast<long long>(w) * h * 3 * 40) return BoxIcon::Unknown;
  return best;
}

BOOL CALLBACK ListProc(HWND hwnd, LPARAM lp) {
  auto* out = reinterpret_cast<std::vector<ControlInfo>*>(lp);
  ControlInfo c;
  c.hwnd = hwnd;
  c.id = GetDlgCtrlID(hwnd);
  c.className = ClassOf(hwnd);
  c.text = GetText(hwnd);
  GetWindowRect(hwnd, &c.rect);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&c.rect), 2);
  c.style = GetWindowLongA(hwnd, GWL_STYLE);
  c.visible = IsWindowVisible(hwnd) != FALSE;
  c.enabled = IsWindowEnabled(hwnd) != FALSE;
  out->push_back(c);
  return TRUE;
}

}  // namespace

HWND FindTopWindow(const char* sCaption, const char* sClass) {
  return FindMatching(sCaption, sClass, 0);
}

HWND WaitForWindow(const char* sCaption, DWORD dwTimeoutMs, const char* sClass) {
  DWORD start = GetTickCount();
  for (;;) {
    if (HWND h = FindMatching(sCaption, sClass, 0)) return h;
    if (GetTickCount() - start >= dwTimeoutMs) return nullptr;
    Pump(20);
  }
}

bool WaitForWindowGone(HWND hwnd, DWORD dwTimeoutMs) {
  DWORD start = GetTickCount();
  while (IsWindow(hwnd)) {
    if (GetTickCount() - start >= dwTimeoutMs) return false;
    Pump(20);
  }
  return true;
}

std::vector<HWND> TopWindowsOfProcess(DWORD dwProcessId) {
  std::vector<HWND> all;
  FindState st = {nullptr, nullptr, dwProcessId, nullptr, &all};
  EnumWindows(FindProc, reinterpret_cast<LPARAM>(&st));
  return all;
}

const char* BoxIconName(BoxIcon icon) {
  switch (icon) {
    case BoxIcon::None: return "none";
    case BoxIcon::Stop: return "stop";
    case BoxIcon::Question: return "question";
    case BoxIcon::Exclamation: return "exclamation";
    case BoxIcon::Information: return "information";
    case BoxIcon::Unknown: return "unknown";
  }
  return "?";
}

HWND WaitForMessageBox(DWORD dwTimeoutMs, DWORD dwProcessId) {
  DWORD start = GetTickCount();
  for (;;) {
    if (HWND h = FindMatching(nullptr, "#32770", dwProcessId)) {
      if (IsWindowVisible(h)) return h;
    }
    if (GetTickCount() - start >= dwTimeoutMs) return nullptr;
    Pump(20);
  }
}

MessageBoxInfo ReadMessageBox(HWND hwnd) {
  MessageBoxInfo info;
  info.hwnd = hwnd;
  info.title = GetText(hwnd);
  info.text = GetControlText(hwnd, 0xFFFF);
  // Give the box a moment to paint before its icon is compared.
  Pump(150);
  for (const ControlInfo& c : ListControls(hwnd)) {
    if (_stricmp(c.className.c_str(), "Button") == 0) info.buttons.push_back(c.text);
    if (_stricmp(c.className.c_str(), "Static") == 0 && (c.style & SS_TYPEMASK) == SS_ICON &&
        c.visible) {
      info.icon = IdentifyIcon(c.hwnd);
    }
  }
  return info;
}

void PressButton(HWND hwnd, int iId) {
  HWND button = GetDlgItem(hwnd, iId);
  if (button) {
    PostMessageA(button, BM_CLICK, 0, 0);
  } else {
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(iId, BN_CLICKED), 0);
  }
}

std::vector<ControlInfo> ListControls(HWND hwndParent) {
  std::vector<ControlInfo> out;
  EnumChildWindows(hwndParent, ListProc, reinterpret_cast<LPARAM>(&out));
  return out;
}

HWND ControlById(HWND hwndParent, int iId) {
  if (HWND direct = GetDlgItem(hwndParent, iId)) return direct;
  for (const ControlInfo& c : ListControls(hwndParent)) {
    if (c.id == iId) return c.hwnd;
  }
  return nullptr;
}

std::string GetText(HWND hwnd) {
  char buffer[4096] = {};
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                           SMTO_ABORTIFHUNG, 5000, &result)) {
    return std::string();
  }
  return buffer;
}

std::string GetControlText(HWND hwndParent, int iId) {
  HWND c = ControlById(hwndParent, iId);
  return c ? GetText(c) : std::string();
}

void SetControlText(HWND hwndParent, int iId, const std::string& sText) {
  if (HWND c = ControlById(hwndParent, iId)) {
    SendMessageA(c, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(sText.c_str()));
  }
}

void ClickControl(HWND hwndParent, int iId) {
  if (HWND c = ControlById(hwndParent, iId)) PostMessageA(c, BM_CLICK, 0, 0);
}

int GetCheck(HWND hwndParent, int iId) {
  HWND c = ControlById(hwndParent, iId);
  return c ? static_cast<int>(SendMessageA(c, BM_GETCHECK, 0, 0)) : -1;
}

bool IsControlEnabled(HWND hwndParent, int iId) {
  HWND c = ControlById(hwndParent, iId);
  return c && IsWindowEnabled(c);
}

int GetSelectedIndex(HWND hwndParent, int iId) {
  HWND c = ControlById(hwndParent, iId);
  if (!c) return -1;
  bool combo = _stricmp(ClassOf(c).c_str(), "ComboBox") == 0;
  return static_cast<int>(SendMessageA(c, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0));
}

void SelectIndex(HWND hwndParent, int iId, int iIndex) {
  HWND c = ControlById(hwndParent, iId);
  if (!c) return;
  bool combo = _stricmp(ClassOf(c).c_str(), "ComboBox") == 0;
  SendMessageA(c, combo ? CB_SETCURSEL : LB_SETCURSEL, iIndex, 0);
  // A selection set by message sends no notification; a user's would.
  WORD code = combo ? CBN_SELCHANGE : LBN_SELCHANGE;
  SendMessageA(GetParent(c), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(c), code),
               reinterpret_cast<LPARAM>(c));
}

std::vector<std::string> GetItems(HWND hwndParent, int iId) {
  std::vector<std::string> items;
  HWND c = ControlById(hwndParent, iId);
  if (!c) return items;
  bool combo = _stricmp(ClassOf(c).c_str(), "ComboBox") == 0;
  int n = static_cast<int>(SendMessageA(c, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    // Cross-process item text is marshalled by the system for these classes;
    // Wine carries it whole only as wide text (an ANSI request across
    // processes comes back cut to its first character).
    wchar_t wide[1024] = {};
    SendMessageW(c, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
    char buffer[2048] = {};
    WideCharToMultiByte(CP_ACP, 0, wide, -1, buffer, sizeof buffer - 1, nullptr, nullptr);
    items.push_back(buffer);
  }
  return items;
}

HWND ForegroundWindow() { return GetForegroundWindow(); }

DWORD WindowProcessId(HWND hwnd) {
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  return pid;
}

namespace {

bool SaveBitmap(const std::string& sBmpPath, const RECT& r) {
  std::vector<unsigned> px = CaptureScreen(r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  BITMAPFILEHEADER fh = {};
  BITMAPINFOHEADER ih = {};
  ih.biSize = sizeof ih;
  ih.biWidth = w;
  ih.biHeight = -h;
  ih.biPlanes = 1;
  ih.biBitCount = 32;
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(px.size() * 4);
  std::ofstream out(sBmpPath, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&fh), sizeof fh);
  out.write(reinterpret_cast<const char*>(&ih), sizeof ih);
  out.write(reinterpret_cast<const char*>(px.data()), static_cast<std::streamsize>(px.size() * 4));
  return static_cast<bool>(out);
}

}  // namespace

bool SaveScreenshot(const std::string& sBmpPath) {
  RECT r = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return SaveBitmap(sBmpPath, r);
}

namespace {

struct TextSearch {
  const std::string* text;
  HWND found;
};

BOOL CALLBACK MatchControlText(HWND child, LPARAM lp) {
  auto* s = reinterpret_cast<TextSearch*>(lp);
  if (GetText(child) != *s->text) return TRUE;
  s->found = child;
  return FALSE;
}

}  // namespace

HWND ControlByText(HWND hwndParent, const std::string& sText) {
  TextSearch search = {&sText, nullptr};
  EnumChildWindows(hwndParent, MatchControlText, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace uidriver
