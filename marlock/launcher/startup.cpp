#include "launcher/startup.h"

#include <windows.h>

#include "launcher/command_line.h"
#include "launcher/data_paths.h"
#include "launcher/launch_link.h"
#include "process.h"
#include "settings/show_settings.h"

namespace marlock {

namespace {

// While the settings dialog is open, any other start only brings it forward.
bool ActivateOpenSettingsWindow() {
  HWND hwnd = FindWindowA(nullptr, kConfigCaption);
  if (!hwnd) return false;
  if (IsIconic(hwnd)) ShowWindowAsync(hwnd, SW_RESTORE);
  SetForegroundWindow(hwnd);
  return true;
}

}  // namespace

void RunStartup(const std::string& sFullCommandLine) {
  InitDataPaths();
  if (ActivateOpenSettingsWindow()) zarvo::EndProcess();

  const std::string sArguments = ArgumentText(sFullCommandLine);
  switch (ChooseStartAction(sArguments)) {
    case StartAction::ShowSettings:
      ShowSettingsDialog();
    case StartAction::LaunchLink:
      LaunchLink(GetLinkArgument(sArguments));
    case StartAction::NotFromZarvo:
      zarvo::ShowMessage("This Plugin can be used with Zarvo only.", kStartupTitle,
                         MB_OK | MB_ICONHAND);
      break;
    case StartAction::InvalidCommand:
      zarvo::ShowMessage("Invalid parameter.", kStartupTitle, MB_OK | MB_ICONHAND);
      break;
  }
  zarvo::EndProcess();
}

}  // namespace marlock
