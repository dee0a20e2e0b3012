// Opens Marlock's settings dialog modally; the process ends when it closes.
#pragma once

namespace marlock {

[[noreturn]] void ShowSettingsDialog();

}  // namespace marlock
