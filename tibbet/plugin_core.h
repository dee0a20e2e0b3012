// The start-up module of Tibbet: reads the command line and starts the
// clock, the settings dialog, or closes a running clock.
#pragma once
#include <string>

namespace tibbet {

// The title of the message shown when Tibbet is started without a switch.
inline constexpr const char* kStartupTitle = "Zarvo Tibbet";

// Runs Tibbet for a full command line (program name included); every
// switch found runs, in the order -startup, -setup, -close. Never returns.
[[noreturn]] void RunTibbet(const std::string& sFullCommandLine);

// Shows the clock, unless another instance of this program (of any switch)
// was already running when this one started: then the process ends at once.
void StartClock(bool bPrevInstance);
// Shows the settings dialog, or brings one that another process has open
// to the front instead.
void ShowSetup();
// Sends WM_CLOSE to a running clock, waits until it is handled, and ends.
[[noreturn]] void CloseClock();

// Marks this process as a running instance of the program file; true when
// another instance of the same file already runs.
bool RegisterInstance();

}  // namespace tibbet
