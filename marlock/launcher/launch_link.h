// From a clicked ftp:// link to a started client.
#pragma once
#include <string>

namespace marlock {

// Launches the link with the settings of FTPSetup.ini. Every path ends the
// process.
[[noreturn]] void LaunchLink(const std::string& sLink);

}  // namespace marlock
