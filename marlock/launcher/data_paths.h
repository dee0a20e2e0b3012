// The two data files of Marlock, beside the executable. Computed once at
// start-up; every reader and writer takes them from here.
#pragma once
#include <string>

namespace marlock {

struct DataPaths {
  std::string settingsFile;  // <program folder>\FTPSetup.ini
  std::string siteFile;      // <program folder>\FTPData.db
  std::string programDir;    // without a trailing backslash
};

// Computes the paths from the running executable's folder.
void InitDataPaths();
// Tests point Marlock at a folder of their own.
void SetDataPaths(const DataPaths& paths);
const DataPaths& GetDataPaths();

DataPaths DataPathsFor(const std::string& sProgramDir);

}  // namespace marlock
