// LaunchLink's decision: from the link, the settings file, the site file and
// (through LoginPrompt) the user to a launch plan. Portable: everything it
// reads comes through the interfaces below, so every route is tested as a
// value, without Windows.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "launcher/ftp_link.h"
#include "launcher/launch_plan.h"
#include "launcher/login.h"
#include "sitestore/profile_store.h"

namespace marlock {

// The launch values of section "Main" of FTPSetup.ini.
struct LaunchSettings {
  int ClientType = 255;      // "FTPType"
  std::string ClientPath;    // "EXEName"
  bool PromptPass = false;   // "PromptPass"
  bool OpenMinimized = false;  // "OpenMini"
  std::string DefaultDir;    // "DefaultDir", the program's directory by default
};

// What a launch reads from the world.
struct LaunchContext {
  ProfileStore& settings;  // FTPSetup.ini
  ProfileStore& sites;     // FTPData.db
  LoginPrompt& prompt;
  std::string programDir;  // Marlock's own directory, without a trailing backslash
  std::function<bool(const std::string&)> fileExists;
  // Read only by the routes that need them.
  std::function<std::string()> tempDir;             // the environment variable "TEMP"
  std::function<std::string()> programFilesDir;     // HKLM ...\CurrentVersion "ProgramFilesDir"
  std::function<uint32_t()> secondsSinceMidnight;  // local time of day
  // Upper case in the system's ANSI code page; without it, only "a" to "z"
  // change.
  std::function<std::string(const std::string&)> upperCase;
};

// The title of Marlock's messages while it launches a link.
inline constexpr const char* kMarlockTitle = "Marlock";
inline constexpr const char* kUnsupportedClientText =
    "Unsupported FTP Client,Please delete the ftpsetup.ini file and re-config the plugin.";
// A link with no site in it (empty, shorter than "ftp://" and one
// character, or "/" where the host should begin).
inline constexpr const char* kNoSiteInLinkText =
    "Unable to open this link, it doesn't name any FTP site.";
// A start whose command line would be longer than the system takes (32,767
// characters with the terminating NUL): Windows refuses to start it, and a
// link cut short must not reach the client either, so the run says so.
inline constexpr size_t kMaxCommandLine = 32766;
inline constexpr const char* kLinkTooLongText =
    "Unable to open this link, it is too long to hand over to the FTP client.";

// The routes a link can take.
enum class Route {
  DownloadManager,   // "UseDownManager" and a file link (not for CuteFTP Pro)
  InternetExplorer,  // "UseIE"
  Client,            // the configured client, 0 to 11
  Unsupported,       // any other client index
};

// The route, once the settings are read and the link parsed.
Route ChooseRoute(const FtpLink& link, const LaunchSettings& settings, bool bUseDownManager,
                  bool bUseIE);

// The first half of LaunchLink, which every route shares: the settings in
// their order, the link taken apart, the route chosen. It either decides
// the whole launch itself (the settings dialog when Marlock is not
// configured or the client is gone, a message for a link without site or an
// unsupported client) or hands the route on with the link and settings.
struct LaunchStart {
  bool decided = false;  // plan is the whole launch
  LaunchPlan plan;
  Route route = Route::Unsupported;
  FtpLink link;
  LaunchSettings settings;
};
LaunchStart StartLaunch(const std::string& sLink, LaunchContext& ctx);

// The whole decision for one link: StartLaunch, then the route's own plan
// with the login resolved at the point the route names.
LaunchPlan PlanLaunch(const std::string& sLink, LaunchContext& ctx);

// The seven clients that take everything on their command line: FlashFXP,
// WS_FTP Pro, LeapFTP, FTP Voyager, Bullet Proof FTP, SmartFTP, FileZilla.
bool IsCommandLineClient(int iClient);
LaunchPlan PlanCommandLineClient(FtpLink& link, const LaunchSettings& settings,
                                 LaunchContext& ctx);

// The scripted and automated clients (CuteFTP XP and Pro, Crystal FTP Pro,
// Ace FTP, TurboFTP), Internet Explorer and the download manager.
LaunchPlan PlanScriptedRoute(Route route, FtpLink& link, const LaunchSettings& settings,
                             LaunchContext& ctx);

// The routes one by one (scripted_routes.cpp chooses among them).
LaunchPlan PlanCuteFtpXp(FtpLink& link, const LaunchSettings& settings, LaunchContext& ctx);
LaunchPlan PlanCuteFtpPro(FtpLink& link, const LaunchSettings& settings, LaunchContext& ctx);
// Crystal FTP Pro (7), Ace FTP (8) and TurboFTP (11).
LaunchPlan PlanKeystrokeClient(FtpLink& link, const LaunchSettings& settings,
                               LaunchContext& ctx);
LaunchPlan PlanInternetExplorer(FtpLink& link, const LaunchSettings& settings,
                                LaunchContext& ctx);
LaunchPlan PlanDownloadManager(const FtpLink& link);

}  // namespace marlock
