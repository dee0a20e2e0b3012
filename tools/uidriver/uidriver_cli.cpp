// The UI driver as a command, for scripts and for looking at windows by hand.
//
//   uidriver wait CAPTION [MS]          waits for a top-level window, prints its handle
//   uidriver msgbox [MS]                waits for a message box, prints title, text, icon
//   uidriver press-msgbox ID [MS]       presses a button of the next message box
//   uidriver list CAPTION               lists the window's controls
//   uidriver click CAPTION ID           clicks a control of the window
//   uidriver text CAPTION ID            prints a control's text
//   uidriver click-text CAPTION TEXT    clicks the control with that text
//   uidriver close CAPTION              closes the window as its close box does
//   uidriver screenshot FILE.bmp        the whole screen
//   uidriver front CAPTION [MS]         brings the window to the front, prints
//                                       its screen rectangle: left top width height
//
// Exit code 0 on success, 1 when the window did not come.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "uidriver.h"

namespace {

DWORD TimeoutArg(int argc, char** argv, int i, DWORD def) {
  return argc > i ? static_cast<DWORD>(std::atoi(argv[i])) : def;
}

int Usage() {
  std::fprintf(stderr, "usage: uidriver wait|msgbox|press-msgbox|list|click|click-text|close|text|screenshot|front ...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const char* cmd = argv[1];
  if (!std::strcmp(cmd, "wait") && argc >= 3) {
    HWND h = uidriver::WaitForWindow(argv[2], TimeoutArg(argc, argv, 3, 10000));
    if (!h) return 1;
    std::printf("%p\n", static_cast<void*>(h));
    return 0;
  }
  if (!std::strcmp(cmd, "msgbox")) {
    HWND h = uidriver::WaitForMessageBox(TimeoutArg(argc, argv, 2, 10000));
    if (!h) return 1;
    uidriver::MessageBoxInfo info = uidriver::ReadMessageBox(h);
    std::printf("title: %s\ntext: %s\nicon: %s\n", info.title.c_str(), info.text.c_str(),
                uidriver::BoxIconName(info.icon));
    for (const auto& b : info.buttons) std::printf("button: %s\n", b.c_str());
    return 0;
  }
  if (!std::strcmp(cmd, "press-msgbox") && argc >= 3) {
    HWND h = uidriver::WaitForMessageBox(TimeoutArg(argc, argv, 3, 10000));
    if (!h) return 1;
    uidriver::PressButton(h, std::atoi(argv[2]));
    return 0;
  }
  if ((!std::strcmp(cmd, "list") || !std::strcmp(cmd, "click") || !std::strcmp(cmd, "text")) &&
      argc >= 3) {
    HWND h = uidriver::WaitForWindow(argv[2], 10000);
    if (!h) return 1;
    if (!std::strcmp(cmd, "list")) {
      for (const auto& c : uidriver::ListControls(h)) {
        std::printf("%5d %-12s %4ld,%4ld %4ldx%-4ld %s%s \"%s\"\n", c.id, c.className.c_str(),
                    c.rect.left, c.rect.top, c.rect.right - c.rect.left,
                    c.rect.bottom - c.rect.top, c.visible ? "visible" : "hidden ",
                    c.enabled ? "" : " disabled", c.text.c_str());
      }
      return 0;
    }
    if (argc < 4) return Usage();
    if (!std::strcmp(cmd, "click")) {
      uidriver::ClickControl(h, std::atoi(argv[3]));
    } else {
      std::printf("%s\n", uidriver::GetControlText(h, std::atoi(argv[3])).c_str());
    }
    return 0;
  }
  if (!std::strcmp(cmd, "click-text") && argc >= 4) {
    HWND h = uidriver::WaitForWindow(argv[2], 10000);
    HWND c = h ? uidriver::ControlByText(h, argv[3]) : nullptr;
    if (!c) return 1;
    PostMessageA(c, BM_CLICK, 0, 0);
    return 0;
  }
  if (!std::strcmp(cmd, "close") && argc >= 3) {
    HWND h = uidriver::WaitForWindow(argv[2], 10000);
    if (!h) return 1;
    PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
  }
  if (!std::strcmp(cmd, "front") && argc >= 3) {
    HWND h = uidriver::WaitForWindow(argv[2], TimeoutArg(argc, argv, 3, 10000));
    if (!h) return 1;
    SetForegroundWindow(h);
    Sleep(700);  // time to repaint what the front window uncovered
    RECT r;
    GetWindowRect(h, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
  }
  if (!std::strcmp(cmd, "screenshot") && argc >= 3) {
    return uidriver::SaveScreenshot(argv[2]) ? 0 : 1;
  }
  return Usage();
}
