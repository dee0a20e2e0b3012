#include "launcher/launch_link.h"

#include "launcher/data_paths.h"
#include "launcher/executor.h"
#include "launcher/login_prompt.h"
#include "launcher/plan_launch.h"
#include "process.h"
#include "sitestore/ini_file_store.h"

namespace marlock {

void LaunchLink(const std::string& sLink) {
  const DataPaths& paths = GetDataPaths();
  IniFileStore settings(paths.settingsFile);
  IniFileStore sites(paths.siteFile);
  LaunchContext ctx{settings, sites, LoginPromptWindow(), paths.programDir, &zarvo::FileExists};
  ExecutePlan(PlanLaunch(sLink, ctx));
}

}  // namespace marlock
