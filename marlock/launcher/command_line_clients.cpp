// The seven clients that take a whole site on their command line. Each
// builds its parameter text element by element, in a fixed order, with the
// blanks as the clients expect them; values go in as they are, unquoted.
#include "launcher/plan_launch.h"
#include "numvalue.h"
#include "settings/client_table.h"
#include "settings/settings_file.h"

namespace marlock {

namespace {

using zarvo::IsFlagSet;

// The normal start through the shell, or, where the client allows it and
// "OpenMini" is set, a new process shown minimized without taking the
// focus from the window that has it.
LaunchPlan StartClient(const LaunchSettings& s, const std::string& sArgs, int iShowState,
                       const std::string& sDirectory, bool bMayStartMinimized) {
  LaunchPlan plan;
  if (bMayStartMinimized && s.OpenMinimized) {
    plan.steps.push_back(
        ProcessStart{QuotedCommandLine(s.ClientPath, sArgs), show::kMinimizedNoActivate});
  } else {
    plan.steps.push_back(ShellStart{s.ClientPath, sArgs, sDirectory, iShowState});
  }
  return plan;
}

bool OptionSet(LaunchContext& ctx, const char* sSection, const char* sKey,
               const char* sDefault) {
  return IsFlagSet(ctx.settings.Read(sSection, sKey, sDefault));
}

bool Login(FtpLink& link, const LaunchSettings& s, LaunchContext& ctx) {
  return ResolveLogin(link, s.PromptPass, ctx.sites, ctx.prompt);
}

// FlashFXP: [" -c"n] [" -min"] [" -tray"] " " Url. Always through the shell,
// hidden; "OpenMini" only adds " -min".
LaunchPlan PlanFlashFxp(FtpLink& link, const LaunchSettings& s, LaunchContext& ctx) {
  std::string args;
  const double dOnFinish =
      zarvo::NumericValue(ctx.settings.Read(keys::kFlashSection, keys::kOnFinish, "255"));
  for (int i = 1; i <= 7; ++i) {
    if (dOnFinish == i) args = " -c" + std::to_string(i);
  }
  if (s.OpenMinimized) args += " -min";
  if (OptionSet(ctx, keys::kFlashSection, keys::kOpenTray, "0")) args += " -tray";
  if (!Login(link, s, ctx)) return LaunchPlan{};
  BuildLoginUrl(link);
  args += " " + link.Url;
  return StartClient(s, args, show::kHide, s.DefaultDir, false);
}

// WS_FTP Pro: [" -quiet"] [" -u " user " -w " pass] " -d local:" dir
// " -s ftp://" host [":" port] remote-dir file.
LaunchPlan PlanWsFtpPro(FtpLink& link, const LaunchSettings& s, LaunchContext& ctx) {
  std::string args;
  if (OptionSet(ctx, keys::kWsFtpSection, keys::kQuiet, "255")) args = " -quiet";
  if (!Login(link, s, ctx)) return LaunchPlan{};
  if (!link.UserName.empty()) args += " -u " + link.UserName + " -w " + link.Password;
  args += " -d local:" + s.DefaultDir;
  args += " -s ftp://" + HostAndPort(link) + link.RemoteDir + link.FileName;
  return StartClient(s, args, show::kHide, s.DefaultDir, true);
}

// LeapFTP and FTP Voyager: [" quit=yes" | "autoquit=1"] " host=" host
// [" port=" port] [" user=" user " pass=" pass] [" remotedir= " dir]
// [" get=" file] " localdir=" dir. The port is taken before the login, so a
// port the login prompt adds does not reach these two.
LaunchPlan PlanLeapOrVoyager(FtpLink& link, const LaunchSettings& s, LaunchContext& ctx) {
  const bool bVoyager = s.ClientType == kFtpVoyager;
  std::string args;
  if (OptionSet(ctx, bVoyager ? keys::kVoyagerSection : keys::kLeapSection, keys::kQuit, "255")) {
    args = bVoyager ? "autoquit=1" : " quit=yes";
  }
  args += " host=" + link.Host;
  if (!link.Port.empty()) args += " port=" + link.Port;
  if (!Login(link, s, ctx)) return LaunchPlan{};
  if (!link.UserName.empty()) args += " user=" + link.UserName + " pass=" + link.Password;
  if (!link.RemoteDir.empty()) args += " remotedir= " + link.RemoteDir;
  if (!link.FileName.empty()) args += " get=" + link.FileName;
  args += " localdir=" + s.DefaultDir;
  return StartClient(s, args, show::kNormal, bVoyager ? ctx.programDir : s.DefaultDir, true);
}

// Bullet Proof FTP: [" /Q"] " /D:" dir (" ftp://" user ":" pass "@" | " ")
// host [":" port] remote-dir file. Without a login the link has no scheme.
LaunchPlan PlanBulletProof(FtpLink& link, const LaunchSettings& s, LaunchContext& ctx) {
  std::string args;
  if (OptionSet(ctx, keys::kBulletSection, keys::kQuit, "255")) args = " /Q";
  args += " /D:" + s.DefaultDir;
  if (!Login(link, s, ctx)) return LaunchPlan{};
  if (!link.UserName.empty()) {
    args += " ftp://" + link.UserName + ":" + link.Password + "@";
  } else {
    args += " ";
  }
  args += HostAndPort(link) + link.RemoteDir + link.FileName;
  return StartClient(s, args, show::kHide, s.DefaultDir, true);
}

// SmartFTP and FileZilla: " " Url.
LaunchPlan PlanUrlClient(FtpLink& link, const LaunchSettings& s, LaunchContext& ctx) {
  if (!Login(link, s, ctx)) return LaunchPlan{};
  BuildLoginUrl(link);
  return StartClient(s, " " + link.Url, show::kHide, s.DefaultDir, true);
}

}  // namespace

bool IsCommandLineClient(int iClient) {
  switch (iClient) {
    case kFlashFXP: case kWsFtpPro: case kLeapFtp: case kFtpVoyager:
    case kBulletProofFtp: case kSmartFtp: case kFileZilla:
      return true;
    default:
      return false;
  }
}

LaunchPlan PlanCommandLineClient(FtpLink& link, const LaunchSettings& s, LaunchContext& ctx) {
  switch (s.ClientType) {
    case kFlashFXP: return PlanFlashFxp(link, s, ctx);
    case kWsFtpPro: return PlanWsFtpPro(link, s, ctx);
    case kLeapFtp:
    case kFtpVoyager: return PlanLeapOrVoyager(link, s, ctx);
    case kBulletProofFtp: return PlanBulletProof(link, s, ctx);
    case kSmartFtp:
    case kFileZilla: return PlanUrlClient(link, s, ctx);
    default: return LaunchPlan{};
  }
}

}  // namespace marlock
