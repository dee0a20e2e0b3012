// CuteFTP Pro fetches a file through its automation object. A folder is
// opened the way a user would: the download folder set in the client's
// registry settings, the client started, and the link typed into its
// "Connect to URL" box.
#include "launcher/plan_launch.h"

namespace marlock {

namespace {

constexpr const char* kProSettingsKey = "Software\\GlobalSCAPE\\CuteFTP Pro 3.0\\Settings\\General";

LaunchPlan FetchFile(const std::string& sClientLink, const LaunchSettings& s) {
  Automation connection{"CuteFTPPro.TEConnection", {}};
  connection.calls.push_back({AutomationCall::Kind::PropertyPut, "LocalFolder", s.DefaultDir});
  connection.calls.push_back({AutomationCall::Kind::Method, "TransferURL", sClientLink});
  LaunchPlan plan;
  plan.steps.push_back(std::move(connection));
  return plan;
}

LaunchPlan OpenFolder(const std::string& sClientLink, const LaunchSettings& s) {
  LaunchPlan plan;
  auto& steps = plan.steps;
  steps.push_back(WriteUserRegistryString{kProSettingsKey, "DefaultLocalPath", s.DefaultDir});
  steps.push_back(WriteUserRegistryDword{kProSettingsKey, "UseCurrentFolderAsDefault", 0});
  // The path is quoted so that a folder with blanks cannot start another
  // program; the client gets no parameters.
  steps.push_back(ProcessStart{"\"" + s.ClientPath + "\"", show::kMinimized});
  steps.push_back(PumpEvents{50000});
  steps.push_back(SendKeys{"%F"});
  steps.push_back(PumpEvents{1000});
  steps.push_back(SendKeys{"C"});
  steps.push_back(PumpEvents{1000});
  steps.push_back(SendKeys{"U"});
  steps.push_back(PumpEvents{1000});
  steps.push_back(TypeText{sClientLink});
  steps.push_back(PumpEvents{25000});
  steps.push_back(SendKeys{"{ENTER}"});
  return plan;
}

}  // namespace

LaunchPlan PlanCuteFtpPro(FtpLink& link, const LaunchSettings& s, LaunchContext& ctx) {
  if (!ResolveLogin(link, s.PromptPass, ctx.sites, ctx.prompt)) return LaunchPlan{};
  const std::string sClientLink = ClientLink(link, true);
  if (!link.FileName.empty()) return FetchFile(sClientLink, s);
  return OpenFolder(sClientLink, s);
}

}  // namespace marlock
