// Reading and driving another process's windows.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace uidriver {

// A visible or hidden top-level window with this exact caption (and class,
// when given); polls until the timeout. Returns nullptr when none came.
HWND FindTopWindow(const char* sCaption, const char* sClass = nullptr);
HWND WaitForWindow(const char* sCaption, DWORD dwTimeoutMs, const char* sClass = nullptr);
// True once the window no longer exists.
bool WaitForWindowGone(HWND hwnd, DWORD dwTimeoutMs);
// Top-level windows of one process.
std::vector<HWND> TopWindowsOfProcess(DWORD dwProcessId);

// The icon a message box shows, told apart by comparing its pixels on the
// screen with the system's icons (handles of another process are not valid
// here).
enum class BoxIcon { None, Stop, Question, Exclamation, Information, Unknown };
const char* BoxIconName(BoxIcon icon);

struct MessageBoxInfo {
  HWND hwnd = nullptr;
  std::string title;
  std::string text;
  BoxIcon icon = BoxIcon::None;
  std::vector<std::string> buttons;  // captions of the buttons, in child order
};

// A message box (class "#32770") of any title, optionally of one process.
HWND WaitForMessageBox(DWORD dwTimeoutMs, DWORD dwProcessId = 0);
MessageBoxInfo ReadMessageBox(HWND hwnd);
// Presses a message box's button by ID (IDOK, IDCANCEL, ...).
void PressButton(HWND hwnd, int iId);

struct ControlInfo {
  HWND hwnd = nullptr;
  int id = 0;
  std::string className;
  std::string text;
  RECT rect = {};  // in the parent's client coordinates
  LONG style = 0;
  bool visible = false;
  bool enabled = false;
};

// Every descendant control, in Z order of each parent, depth first.
std::vector<ControlInfo> ListControls(HWND hwndParent);
HWND ControlById(HWND hwndParent, int iId);  // searches all descendants

std::string GetText(HWND hwnd);  // WM_GETTEXT: works across processes
std::string GetControlText(HWND hwndParent, int iId);
void SetControlText(HWND hwndParent, int iId, const std::string& sText);
void ClickControl(HWND hwndParent, int iId);  // BM_CLICK
int GetCheck(HWND hwndParent, int iId);       // BM_GETCHECK
bool IsControlEnabled(HWND hwndParent, int iId);

// Combo box and list box selection and items.
int GetSelectedIndex(HWND hwndParent, int iId);
void SelectIndex(HWND hwndParent, int iId, int iIndex);  // notifies the parent
std::vector<std::string> GetItems(HWND hwndParent, int iId);

// Foreground window and whose it is.
HWND ForegroundWindow();
DWORD WindowProcessId(HWND hwnd);

// A screenshot of the whole screen as a 24-bit BMP file.
bool SaveScreenshot(const std::string& sBmpPath);

// The first control (any depth) whose text is exactly sText.
HWND ControlByText(HWND hwndParent, const std::string& sText);

}  // namespace uidriver
