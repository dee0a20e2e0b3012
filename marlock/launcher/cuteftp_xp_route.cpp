// CuteFTP XP takes a macro file: the site, the folders, the login and what
// to fetch, one command a line, handed over as "Macro=" and its path.
#include <cstdio>

#include "launcher/plan_launch.h"
#include "numvalue.h"
#include "settings/settings_file.h"
#include "sitestore/scramble.h"

namespace marlock {

namespace {

// The file number: one draw from the generator started at the time of
// day, scaled to eight digits. The draw is state / 2^24, so the whole part
// of r * 99999999 is computed exactly in integers.
uint32_t MacroFileNumber(uint32_t uSecondsSinceMidnight) {
  MaskGenerator generator;
  generator.SeedFromTimeOfDay(uSecondsSinceMidnight);
  const uint64_t uState = generator.NextState();
  return static_cast<uint32_t>((uState * 99999999u) >> 24);
}

// A number as its decimal text: whole numbers without a decimal point.
std::string DecimalText(double dValue) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.15G", dValue);
  return buffer;
}

std::string UpperCase(const std::string& sText, LaunchContext& ctx) {
  if (ctx.upperCase) return ctx.upperCase(sText);
  std::string s = sText;
  for (char& c : s) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return s;
}

std::vector<std::string> MacroLines(const FtpLink& link, const LaunchSettings& s,
                                    LaunchContext& ctx) {
  std::vector<std::string> lines;
  lines.push_back("Host " + link.Host);
  if (!link.Port.empty()) lines.push_back("Ports " + link.Port);
  lines.push_back("FilterLocal");
  lines.push_back("RemoteDir " + UpperCase(link.RemoteDir, ctx));
  const bool bAutoRename =
      zarvo::IsFlagSet(ctx.settings.Read(keys::kCuteSection, keys::kAutoRename, "255"));
  lines.push_back(bAutoRename ? "AutoRename ON" : "AutoRename OFF");
  const double dRetry =
      zarvo::NumericValue(ctx.settings.Read(keys::kCuteSection, keys::kRetry, "255"));
  if (dRetry > 0) lines.push_back("Retry " + DecimalText(dRetry));
  lines.push_back("LocalCwd " + s.DefaultDir);
  if (link.UserName.empty()) {
    lines.push_back("Login Anonymous");
  } else {
    lines.push_back("Login Normal");
    lines.push_back("User " + link.UserName);
    lines.push_back("Pass " + link.Password);
  }
  lines.push_back("Connect");
  if (!link.FileName.empty()) {
    lines.push_back("RemoteClearSelection");
    lines.push_back("RemoteSelect " + link.FileName);
    lines.push_back("Download");
  }
  return lines;
}

}  // namespace

LaunchPlan PlanCuteFtpXp(FtpLink& link, const LaunchSettings& s, LaunchContext& ctx) {
  if (!ResolveLogin(link, s.PromptPass, ctx.sites, ctx.prompt)) return LaunchPlan{};
  const std::string sTemp = ctx.tempDir ? ctx.tempDir() : std::string();
  const uint32_t uSeconds = ctx.secondsSinceMidnight ? ctx.secondsSinceMidnight() : 0;
  const std::string sPath = sTemp + "\\" + std::to_string(MacroFileNumber(uSeconds)) + ".mcr";

  LaunchPlan plan;
  plan.steps.push_back(WriteTextFile{sPath, MacroLines(link, s, ctx)});
  const std::string sArgs = "Macro=" + sPath;
  if (s.OpenMinimized) {
    plan.steps.push_back(
        ProcessStart{QuotedCommandLine(s.ClientPath, sArgs), show::kMinimizedNoActivate});
  } else {
    plan.steps.push_back(ShellStart{s.ClientPath, sArgs, s.DefaultDir, show::kHide});
  }
  return plan;
}

}  // namespace marlock
