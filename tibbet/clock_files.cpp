#include "clock_files.h"

#include "clock_settings.h"
#include "process.h"

namespace tibbet {

std::string ClockIniPath() { return zarvo::ProgramDirectory() + "\\" + kClockFileName; }

std::string PluginIniPath() { return zarvo::ProgramDirectory() + "\\" + kPluginFileName; }

}  // namespace tibbet
