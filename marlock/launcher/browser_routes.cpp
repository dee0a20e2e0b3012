// The two routes that leave the FTP client aside: Internet Explorer opens
// the link itself, or a hidden Internet Explorer hands a file over to its
// download handling, where the user's download manager takes it.
#include "launcher/plan_launch.h"

namespace marlock {

LaunchPlan PlanInternetExplorer(FtpLink& link, const LaunchSettings& s, LaunchContext& ctx) {
  if (!ResolveLogin(link, s.PromptPass, ctx.sites, ctx.prompt)) return LaunchPlan{};
  BuildLoginUrl(link);
  const std::string sProgramFiles = ctx.programFilesDir ? ctx.programFilesDir() : std::string();
  // Quoted: with "Program Files" unquoted, "C:\Program.exe" would be tried
  // first.
  const std::string sBrowser = sProgramFiles + "\\Internet Explorer\\IEXPLORE.EXE";
  LaunchPlan plan;
  plan.steps.push_back(
      ProcessStart{QuotedCommandLine(sBrowser, link.Url), show::kMinimizedNoActivate});
  return plan;
}

// No login is resolved here: only what the link carries goes along.
LaunchPlan PlanDownloadManager(const FtpLink& link) {
  Automation browser{"InternetExplorer.Application", {}};
  browser.calls.push_back({AutomationCall::Kind::PropertyPut, "Visible", false});
  browser.calls.push_back({AutomationCall::Kind::Method, "Navigate", link.Url});
  LaunchPlan plan;
  plan.steps.push_back(std::move(browser));
  return plan;
}

}  // namespace marlock
