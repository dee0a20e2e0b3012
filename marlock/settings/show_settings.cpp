#include "settings/show_settings.h"

#include "process.h"

namespace marlock {

void ShowSettingsDialog() { zarvo::EndProcess(); }

}  // namespace marlock
