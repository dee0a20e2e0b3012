#include "launcher/data_paths.h"

#include "process.h"

namespace marlock {

namespace {
DataPaths g_paths;
}

DataPaths DataPathsFor(const std::string& sProgramDir) {
  DataPaths paths;
  paths.programDir = sProgramDir;
  paths.settingsFile = sProgramDir + "\\FTPSetup.ini";
  paths.siteFile = sProgramDir + "\\FTPData.db";
  return paths;
}

void InitDataPaths() { g_paths = DataPathsFor(zarvo::ProgramDirectory()); }

void SetDataPaths(const DataPaths& paths) { g_paths = paths; }

const DataPaths& GetDataPaths() { return g_paths; }

}  // namespace marlock
