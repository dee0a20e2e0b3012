// The benchmark's baseline: the least a clock can be, a window with one
// label and a one-second timer that writes the time into it.
#include <windows.h>

namespace {

HWND g_label = nullptr;

void ShowTime() {
  char text[64] = {};
  GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, sizeof text);
  SetWindowTextA(g_label, text);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_TIMER:
      ShowTime();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(hwnd, msg, wp, lp);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "BaselineClock";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, "BaselineClock", "Baseline Clock",
                              WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 100, 100, 112, 45,
                              nullptr, nullptr, instance, nullptr);
  g_label = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE | SS_CENTER, 0, 0, 105, 25, hwnd,
                          nullptr, instance, nullptr);
  ShowTime();
  SetTimer(hwnd, 1, 1000, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}
