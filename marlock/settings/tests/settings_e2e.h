// Driving Marlock's settings dialogs in a running Marlock.exe: windows of
// one process, focus, typing, messages and screenshots.
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "marlock_e2e.h"

namespace settings_e2e {

// Keeps the test's own windows answering for a while.
inline void Pump(DWORD dwMs) {
  DWORD start = GetTickCount();
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  } while (GetTickCount() - start < dwMs);
}

// A visible top-level window of one process with exactly this caption.
inline HWND WaitForProcessWindow(DWORD dwPid, const char* sCaption, DWORD dwMs = 15000) {
  DWORD start = GetTickCount();
  for (;;) {
    for (HWND h : uidriver::TopWindowsOfProcess(dwPid)) {
      if (IsWindowVisible(h) && uidriver::GetText(h) == sCaption) return h;
    }
    if (GetTickCount() - start >= dwMs) return nullptr;
    Sleep(20);
  }
}

// The window that has the keyboard focus in the thread of hwndTop.
inline HWND FocusedWindow(HWND hwndTop) {
  GUITHREADINFO gti = {};
  gti.cbSize = sizeof gti;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(hwndTop, nullptr), &gti)) return nullptr;
  return gti.hwndFocus;
}

// Waits until the control of that ID has the focus; returns the focused ID.
inline int WaitForFocus(HWND hwndTop, int iId, DWORD dwMs = 5000) {
  DWORD start = GetTickCount();
  for (;;) {
    HWND focus = FocusedWindow(hwndTop);
    int id = focus ? GetDlgCtrlID(focus) : 0;
    if (id == iId || GetTickCount() - start >= dwMs) return id;
    Sleep(20);
  }
}

// Types characters into a control, one WM_CHAR each, as the keyboard would.
inline void TypeChars(HWND hwndTop, int iId, const std::string& sText) {
  HWND h = uidriver::ControlById(hwndTop, iId);
  for (char ch : sText) {
    DWORD_PTR r;
    SendMessageTimeoutA(h, WM_CHAR, static_cast<unsigned char>(ch), 0, SMTO_ABORTIFHUNG, 5000, &r);
  }
}

// Clicks a check box or button and waits until the dialog has handled it.
// (Use uidriver::ClickControl for a click that opens a message or a dialog.)
inline void ClickNow(HWND hwndTop, int iId) {
  DWORD_PTR r;
  SendMessageTimeoutA(uidriver::ControlById(hwndTop, iId), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000,
                      &r);
}

// Selects a list entry as the user would, without waiting for the reaction
// (which may show a message).
inline void SelectIndexLater(HWND hwndTop, int iId, int iIndex) {
  HWND c = uidriver::ControlById(hwndTop, iId);
  char cls[32] = {};
  GetClassNameA(c, cls, sizeof cls);
  const bool combo = _stricmp(cls, "ComboBox") == 0;
  PostMessageA(c, combo ? CB_SETCURSEL : LB_SETCURSEL, iIndex, 0);
  PostMessageA(GetParent(c), WM_COMMAND,
               MAKEWPARAM(GetDlgCtrlID(c), combo ? CBN_SELCHANGE : LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(c));
}

// Double-clicks a list entry with the mouse messages a user's double click sends.
inline void DoubleClickItem(HWND hwndTop, int iId, int iIndex) {
  HWND c = uidriver::ControlById(hwndTop, iId);
  int top = static_cast<int>(SendMessageA(c, LB_GETTOPINDEX, 0, 0));
  int height = static_cast<int>(SendMessageA(c, LB_GETITEMHEIGHT, 0, 0));
  LPARAM at = MAKELPARAM(10, (iIndex - top) * height + height / 2);
  PostMessageA(c, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(c, WM_LBUTTONUP, 0, at);
  PostMessageA(c, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  PostMessageA(c, WM_LBUTTONUP, 0, at);
}

inline bool IsVisibleControl(HWND hwndTop, int iId) {
  HWND c = uidriver::ControlById(hwndTop, iId);
  return c && (GetWindowLongA(c, GWL_STYLE) & WS_VISIBLE);
}

// Answers the process's message box, which must have the critical-stop
// icon, OK only and this title, and returns its text ("" when no box came).
// With hwndForm given, that window must wait while the box is up and take
// input again once it is answered.
inline std::string AnswerStopMessage(const testkit::Process& p, const char* sTitle = "Marlock",
                                     HWND hwndForm = nullptr) {
  HWND box = uidriver::WaitForMessageBox(15000, p.Id());
  if (!box) {
    ADD_FAILURE() << "no message box";
    return {};
  }
  uidriver::MessageBoxInfo info = uidriver::ReadMessageBox(box);
  EXPECT_EQ(info.title, sTitle);
  EXPECT_EQ(info.icon, uidriver::BoxIcon::Stop) << uidriver::BoxIconName(info.icon);
  EXPECT_EQ(info.buttons, std::vector<std::string>{"OK"});
  if (hwndForm) {
    EXPECT_FALSE(IsWindowEnabled(hwndForm)) << "the form waits for the answer";
  }
  uidriver::PressButton(box, IDOK);
  EXPECT_TRUE(uidriver::WaitForWindowGone(box, 5000));
  if (hwndForm) {
    EXPECT_TRUE(IsWindowEnabled(hwndForm)) << "the form takes input again";
  }
  return info.text;
}

// The same, for a message whose whole text is known.
inline void ExpectStopMessage(const testkit::Process& p, const std::string& sText,
                              const char* sTitle = "Marlock", HWND hwndForm = nullptr) {
  EXPECT_EQ(AnswerStopMessage(p, sTitle, hwndForm), sText);
}

// Items of a list without the indentation of the directory list.
inline std::vector<std::string> TrimmedItems(HWND hwndTop, int iId) {
  std::vector<std::string> items = uidriver::GetItems(hwndTop, iId);
  for (std::string& s : items) s.erase(0, s.find_first_not_of(' '));
  return items;
}

// Saves the screen as NAME.bmp into %ZARVO_SCREENSHOT_DIR%, when it is set.
inline void Screenshot(const std::string& sName) {
  const char* dir = std::getenv("ZARVO_SCREENSHOT_DIR");
  if (!dir || !*dir) return;
  Sleep(300);  // let the windows finish painting
  uidriver::SaveScreenshot(testkit::WinPath(dir) + "\\" + sName + ".bmp");
}

}  // namespace settings_e2e
