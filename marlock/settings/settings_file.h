// FTPSetup.ini: its sections and keys, and what a confirmed settings dialog
// writes, in the order that fixes the key order of a new file.
#pragma once
#include <string>
#include <vector>

namespace marlock {

namespace keys {
inline constexpr const char* kMain = "Main";
inline constexpr const char* kFtpType = "FTPType";
inline constexpr const char* kExeName = "EXEName";
inline constexpr const char* kPromptPass = "PromptPass";
inline constexpr const char* kDefaultDir = "DefaultDir";
inline constexpr const char* kUseDownManager = "UseDownManager";
inline constexpr const char* kUseIE = "UseIE";
inline constexpr const char* kOpenMini = "OpenMini";
inline constexpr const char* kVersion = "Version";

inline constexpr const char* kFlashSection = "FlashFXP2";
inline constexpr const char* kOnFinish = "OnFinish";
inline constexpr const char* kOpenTray = "OpenTray";
inline constexpr const char* kCuteSection = "CuteFTP";
inline constexpr const char* kAutoRename = "AutoRename";
inline constexpr const char* kRetry = "Retry";
inline constexpr const char* kWsFtpSection = "WSFTPPro";
inline constexpr const char* kQuiet = "Quiet";
inline constexpr const char* kLeapSection = "LeapFTP";
inline constexpr const char* kVoyagerSection = "Voyager";
inline constexpr const char* kBulletSection = "Bullet";
inline constexpr const char* kQuit = "Quit";
}  // namespace keys

struct ProfileEntry {
  std::string section;
  std::string key;
  std::string value;
  bool operator==(const ProfileEntry& o) const {
    return section == o.section && key == o.key && value == o.value;
  }
};

// What the user confirmed in the settings dialog.
struct SettingsChoice {
  bool bUseIE = false;
  bool bPromptPass = false;
  int iClientType = 0;
  std::string sExeName;
  std::string sDefaultDir;
  bool bUseDownManager = false;
  bool bOpenMini = false;
  std::string sVersion;  // "major.minor.revision"
  // The selected client's own options.
  int iOnFinish = 0;
  bool bOpenTray = false;
  bool bAutoRename = false;
  std::string sRetry = "0";
  bool bWsQuiet = false;
  bool bLeapQuit = false;
  bool bVoyagerQuit = false;
  bool bBulletQuit = false;
};

// Internet Explorer mode: "PromptPass", then "UseIE"; nothing else.
std::vector<ProfileEntry> InternetExplorerModeWrites(const SettingsChoice& choice);

// Client mode, before the dialog's checks: "UseIE" = "0".
std::vector<ProfileEntry> ClientModeFirstWrite();

// Client mode, after the checks passed: "Main" from "FTPType" to "Version"
// ("OpenMini" only where the client offers it), then the client's section.
std::vector<ProfileEntry> ClientModeWrites(const SettingsChoice& choice);

// The version text written as "Version": major.minor.revision.
std::string VersionText(int iMajor, int iMinor, int iRevision);

}  // namespace marlock
