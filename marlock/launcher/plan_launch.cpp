#include "launcher/plan_launch.h"

#include "numvalue.h"
#include "settings/client_table.h"
#include "settings/settings_file.h"

namespace marlock {

namespace {

LaunchPlan PlanOf(LaunchStep step) {
  LaunchPlan plan;
  plan.steps.push_back(std::move(step));
  return plan;
}

}  // namespace

std::string QuotedCommandLine(const std::string& sPath, const std::string& sParameters) {
  return "\"" + sPath + "\" " + sParameters;
}

Route ChooseRoute(const FtpLink& link, const LaunchSettings& settings, bool bUseDownManager,
                  bool bUseIE) {
  if (!link.FileName.empty() && settings.ClientType != kCuteFtpPro && bUseDownManager) {
    return Route::DownloadManager;
  }
  if (bUseIE) return Route::InternetExplorer;
  if (FindClientType(settings.ClientType)) return Route::Client;
  return Route::Unsupported;
}

LaunchStart StartLaunch(const std::string& sLink, LaunchContext& ctx) {
  using zarvo::IsFlagSet;
  ProfileStore& ini = ctx.settings;
  LaunchStart start;
  auto decide = [&start](LaunchStep step) -> LaunchStart& {
    start.decided = true;
    start.plan = PlanOf(std::move(step));
    return start;
  };
  FtpLink& link = start.link;
  LaunchSettings& s = start.settings;
  link.Url = sLink;

  const double dType = zarvo::NumericValue(ini.Read(keys::kMain, keys::kFtpType, "255"));
  if (dType == kNotConfigured) return decide(OpenSettings{});
  s.ClientType = zarvo::WholeNumber(dType);

  s.ClientPath = ini.Read(keys::kMain, keys::kExeName, "NO");
  if (!ctx.fileExists(s.ClientPath)) return decide(OpenSettings{});

  s.PromptPass = IsFlagSet(ini.Read(keys::kMain, keys::kPromptPass, "255"));
  s.OpenMinimized = IsFlagSet(ini.Read(keys::kMain, keys::kOpenMini, "0"));

  if (!ParseFtpLink(link)) return decide(Message{kNoSiteInLinkText, kMarlockTitle, 16});

  // "UseDownManager" is read only where it can decide the route.
  bool bUseDownManager = false;
  if (!link.FileName.empty() && s.ClientType != kCuteFtpPro) {
    bUseDownManager = IsFlagSet(ini.Read(keys::kMain, keys::kUseDownManager, "0"));
  }
  if (!bUseDownManager) s.DefaultDir = ini.Read(keys::kMain, keys::kDefaultDir, ctx.programDir);
  const bool bUseIE = !bUseDownManager && IsFlagSet(ini.Read(keys::kMain, keys::kUseIE, "255"));

  start.route = ChooseRoute(link, s, bUseDownManager, bUseIE);
  if (start.route == Route::Unsupported) {
    return decide(Message{kUnsupportedClientText, kMarlockTitle, 16});
  }
  return start;
}

namespace {

bool CommandLineTooLong(const LaunchStep& step) {
  if (const auto* s = std::get_if<ShellStart>(&step))
    return QuotedCommandLine(s->file, s->parameters).size() > kMaxCommandLine;
  if (const auto* p = std::get_if<ProcessStart>(&step))
    return p->commandLine.size() > kMaxCommandLine;
  return false;
}

}  // namespace

LaunchPlan PlanLaunch(const std::string& sLink, LaunchContext& ctx) {
  LaunchStart start = StartLaunch(sLink, ctx);
  if (start.decided) return start.plan;
  LaunchPlan plan = start.route == Route::Client && IsCommandLineClient(start.settings.ClientType)
                        ? PlanCommandLineClient(start.link, start.settings, ctx)
                        : PlanScriptedRoute(start.route, start.link, start.settings, ctx);
  for (const LaunchStep& step : plan.steps)
    if (CommandLineTooLong(step)) return PlanOf(Message{kLinkTooLongText, kMarlockTitle, 16});
  return plan;
}

}  // namespace marlock
