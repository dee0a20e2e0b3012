#include "settings/settings_file.h"

#include "numvalue.h"
#include "settings/client_table.h"

namespace marlock {

using zarvo::FlagText;

std::vector<ProfileEntry> InternetExplorerModeWrites(const SettingsChoice& choice) {
  return {
      {keys::kMain, keys::kPromptPass, FlagText(choice.bPromptPass)},
      {keys::kMain, keys::kUseIE, FlagText(choice.bUseIE)},
  };
}

std::vector<ProfileEntry> ClientModeFirstWrite() {
  return {{keys::kMain, keys::kUseIE, "0"}};
}

std::vector<ProfileEntry> ClientModeWrites(const SettingsChoice& c) {
  std::vector<ProfileEntry> w = {
      {keys::kMain, keys::kFtpType, std::to_string(c.iClientType)},
      {keys::kMain, keys::kExeName, c.sExeName},
      {keys::kMain, keys::kPromptPass, FlagText(c.bPromptPass)},
      {keys::kMain, keys::kDefaultDir, c.sDefaultDir},
      {keys::kMain, keys::kUseDownManager, FlagText(c.bUseDownManager)},
  };
  const ClientType* type = FindClientType(c.iClientType);
  if (type && type->miniAvailable) {
    w.push_back({keys::kMain, keys::kOpenMini, FlagText(c.bOpenMini)});
  }
  w.push_back({keys::kMain, keys::kVersion, c.sVersion});

  switch (c.iClientType) {
    case kFlashFXP:
      w.push_back({keys::kFlashSection, keys::kOnFinish, std::to_string(c.iOnFinish)});
      w.push_back({keys::kFlashSection, keys::kOpenTray, FlagText(c.bOpenTray)});
      break;
    case kCuteFtpXp:
      w.push_back({keys::kCuteSection, keys::kAutoRename, FlagText(c.bAutoRename)});
      w.push_back({keys::kCuteSection, keys::kRetry, c.sRetry});
      break;
    case kWsFtpPro:
      w.push_back({keys::kWsFtpSection, keys::kQuiet, FlagText(c.bWsQuiet)});
      break;
    case kLeapFtp:
      w.push_back({keys::kLeapSection, keys::kQuit, FlagText(c.bLeapQuit)});
      break;
    case kFtpVoyager:
      w.push_back({keys::kVoyagerSection, keys::kQuit, FlagText(c.bVoyagerQuit)});
      break;
    case kBulletProofFtp:
      w.push_back({keys::kBulletSection, keys::kQuit, FlagText(c.bBulletQuit)});
      break;
    default:
      break;
  }
  return w;
}

std::string VersionText(int iMajor, int iMinor, int iRevision) {
  return std::to_string(iMajor) + "." + std::to_string(iMinor) + "." +
         std::to_string(iRevision);
}

}  // namespace marlock
