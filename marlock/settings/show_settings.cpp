#include "settings/show_settings.h"

#include "process.h"
#include "settings/config_form.h"

namespace marlock {

void ShowSettingsDialog() {
  ConfigForm().ShowModal();
  // Every way out of the dialog ends the process; this is only a guard.
  zarvo::EndProcess();
}

HWND LoadSettingsWindow() {
  ConfigForm().Load();
  return ConfigForm().Hwnd();
}

}  // namespace marlock
