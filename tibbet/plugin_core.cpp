#include "plugin_core.h"

#include <windows.h>

#include <cctype>

#include "command_line.h"
#include "frm_config.h"
#include "frm_main.h"
#include "process.h"

namespace tibbet {

namespace {

// The instance mark is named after the program file, so copies of Tibbet in
// other folders run side by side.
std::string InstanceName() {
  char path[MAX_PATH * 4] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string name = "Tibbet.Instance.";
  for (const char* p = path; *p; ++p) {
    char c = *p == '\\' ? '/' : *p;
    name.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  }
  return name;
}

struct FindSetup {
  DWORD ownProcess;
  HWND found;
};

BOOL CALLBACK FindOtherSetup(HWND hwnd, LPARAM lp) {
  auto* st = reinterpret_cast<FindSetup*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == st->ownProcess) return TRUE;
  char caption[64] = {};
  GetWindowTextA(hwnd, caption, sizeof caption);
  if (strcmp(caption, kSetupCaption) != 0) return TRUE;
  st->found = hwnd;
  return FALSE;
}

}  // namespace

bool RegisterInstance() {
  // Kept open for the life of the process; the system closes it at the end.
  HANDLE mark = CreateMutexA(nullptr, FALSE, InstanceName().c_str());
  return mark && GetLastError() == ERROR_ALREADY_EXISTS;
}

void StartClock(bool bPrevInstance) {
  if (bPrevInstance) zarvo::EndProcess();
  // Lives until the process ends.
  auto* clock = new frmMain();
  clock->Show();
}

void ShowSetup() {
  FindSetup st = {GetCurrentProcessId(), nullptr};
  EnumWindows(FindOtherSetup, reinterpret_cast<LPARAM>(&st));
  if (st.found) {
    if (IsIconic(st.found)) ShowWindowAsync(st.found, SW_RESTORE);
    SetForegroundWindow(st.found);
    return;
  }
  auto* setup = new frmConfig();
  setup->Show();
}

void CloseClock() {
  if (HWND clock = FindWindowA(nullptr, kClockCaption)) SendMessageA(clock, WM_CLOSE, 0, 0);
  zarvo::EndProcess();
}

void RunTibbet(const std::string& sFullCommandLine) {
  const bool prevInstance = RegisterInstance();
  const Switches s = ParseSwitches(ArgumentText(sFullCommandLine));
  if (s.notFromZarvo) {
    zarvo::ShowMessage("This Plugin can be used with Zarvo only.", kStartupTitle,
                       MB_OK | MB_ICONHAND);
    zarvo::EndProcess();
  }
  if (s.startup) StartClock(prevInstance);
  if (s.setup) ShowSetup();
  if (s.close) CloseClock();
  zarvo::forms::Form::RunMessageLoop();
  zarvo::EndProcess();
}

}  // namespace tibbet
