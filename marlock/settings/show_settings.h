// Opens Marlock's settings dialog modally; the process ends when it closes.
#pragma once
#include <windows.h>

namespace marlock {

[[noreturn]] void ShowSettingsDialog();

// Loads the settings window without showing it (Form_Load runs unseen and
// writes nothing), for use as the owner window of a shell start.
HWND LoadSettingsWindow();

}  // namespace marlock
