// The two INI files beside Tibbet.exe.
#pragma once
#include <string>

namespace tibbet {

// The clock's own settings: the program's folder followed by "\Clock.ini".
std::string ClockIniPath();
// Zarvo's plug-in file in the same folder, where the dialog leaves
// CloseWithZarvo for Zarvo to read.
std::string PluginIniPath();

}  // namespace tibbet
