// A world for launch plans: settings and site files in memory, a login
// prompt that answers as told, and one client file that exists.
#pragma once
#include <string>
#include <utility>
#include <vector>

#include "launcher/plan_launch.h"
#include "sitestore/memory_profile_store.h"
#include "sitestore/site_file.h"

namespace launchtest {

inline constexpr const char* kClientPath = "C:\\Clients\\client.exe";
inline constexpr const char* kProgramDir = "C:\\Zarvo\\Plugins";
inline constexpr const char* kDownloads = "C:\\Downloads";
inline constexpr const char* kTemp = "C:\\Temp";
inline constexpr const char* kProgramFiles = "C:\\Program Files";

class ScriptedPrompt : public marlock::LoginPrompt {
 public:
  marlock::LoginAnswer Ask(const marlock::FtpLink& link) override {
    asked.push_back(link);
    return answer;
  }
  marlock::LoginAnswer answer;
  std::vector<marlock::FtpLink> asked;  // the link as it stood at each question
};

struct World {
  marlock::MemoryProfileStore settings;
  marlock::MemoryProfileStore sites;
  ScriptedPrompt prompt;
  marlock::LaunchContext ctx{settings,
                             sites,
                             prompt,
                             kProgramDir,
                             [](const std::string& p) { return p == kClientPath; },
                             [this] { return tempDir; },
                             [this] { return programFilesDir; },
                             [this] { return secondsSinceMidnight; },
                             {}};  // upper case of "a" to "z" only
  std::string tempDir = kTemp;
  std::string programFilesDir = kProgramFiles;
  uint32_t secondsSinceMidnight = 0;

  // FTPType, EXEName (the client that exists) and DefaultDir.
  void Configure(int iClient, const std::string& sDefaultDir = kDownloads) {
    settings.Set("Main", "FTPType", std::to_string(iClient));
    settings.Set("Main", "EXEName", kClientPath);
    if (!sDefaultDir.empty()) settings.Set("Main", "DefaultDir", sDefaultDir);
  }
  marlock::LaunchPlan Plan(const std::string& sLink) { return marlock::PlanLaunch(sLink, ctx); }
  marlock::LaunchStart Start(const std::string& sLink) { return marlock::StartLaunch(sLink, ctx); }
};

inline marlock::LoginAnswer Entered(const std::string& sUser, const std::string& sPassword,
                                    bool bRemember = false) {
  marlock::LoginAnswer a;
  a.outcome = marlock::LoginAnswer::Outcome::Entered;
  a.userName = sUser;
  a.password = sPassword;
  a.remember = bRemember;
  return a;
}

}  // namespace launchtest
