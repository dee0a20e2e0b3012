// The process entry of Marlock: one run does one thing and ends the process.
#pragma once
#include <string>

namespace marlock {

// Runs Marlock for the given full command line (program name included).
// Never returns.
[[noreturn]] void RunStartup(const std::string& sFullCommandLine);

// The title of the two start-up messages.
inline constexpr const char* kStartupTitle = "Zarvo Marlock";
// The caption by which a second start finds an open settings dialog.
inline constexpr const char* kConfigCaption = "Marlock Config";

}  // namespace marlock
