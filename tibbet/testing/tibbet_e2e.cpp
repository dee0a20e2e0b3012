#include "tibbet_e2e.h"

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

}  // namespace tibbet_e2e
