// The login prompt window ("Login into FTP Site") behind LoginPrompt.
#pragma once
#include "launcher/login.h"

namespace marlock {

// The prompt that LaunchLink asks.
LoginPrompt& LoginPromptWindow();

}  // namespace marlock
