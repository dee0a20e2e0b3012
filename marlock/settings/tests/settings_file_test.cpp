#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include "settings/client_table.h"

namespace {

using marlock::ProfileEntry;
using marlock::SettingsChoice;

std::vector<std::string> KeysOf(const std::vector<ProfileEntry>& writes) {
  std::vector<std::string> keys;
  for (const auto& w : writes) keys.push_back(w.section + "/" + w.key);
  return keys;
}

TEST(ConfirmedSettings, FlashFxpFirstConfirmationOrder) {
  SettingsChoice c;
  c.iClientType = marlock::kFlashFXP;
  c.sExeName = "C:\\FlashFXP\\FlashFXP.exe";
  c.sDefaultDir = "C:\\Downloads";
  c.bPromptPass = true;
  c.sVersion = "0.71.874";
  c.iOnFinish = 2;
  c.bOpenTray = true;
  std::vector<ProfileEntry> all = marlock::ClientModeFirstWrite();
  for (auto& w : marlock::ClientModeWrites(c)) all.push_back(w);
  EXPECT_EQ(all, (std::vector<ProfileEntry>{
                     {"Main", "UseIE", "0"},
                     {"Main", "FTPType", "0"},
                     {"Main", "EXEName", "C:\\FlashFXP\\FlashFXP.exe"},
                     {"Main", "PromptPass", "1"},
                     {"Main", "DefaultDir", "C:\\Downloads"},
                     {"Main", "UseDownManager", "0"},
                     {"Main", "OpenMini", "0"},
                     {"Main", "Version", "0.71.874"},
                     {"FlashFXP2", "OnFinish", "2"},
                     {"FlashFXP2", "OpenTray", "1"},
                 }));
}

TEST(ConfirmedSettings, InternetExplorerModeWritesTwoKeys) {
  SettingsChoice c;
  c.bUseIE = true;
  c.bPromptPass = false;
  EXPECT_EQ(marlock::InternetExplorerModeWrites(c),
            (std::vector<ProfileEntry>{{"Main", "PromptPass", "0"}, {"Main", "UseIE", "1"}}));
}

struct ClientSectionCase {
  int client;
  bool openMini;
  std::vector<std::string> tail;  // keys after "Main/UseDownManager"
};

TEST(ConfirmedSettings, EachClientWritesItsOwnSection) {
  const ClientSectionCase cases[] = {
      {0, true, {"Main/OpenMini", "Main/Version", "FlashFXP2/OnFinish", "FlashFXP2/OpenTray"}},
      {1, true, {"Main/OpenMini", "Main/Version", "CuteFTP/AutoRename", "CuteFTP/Retry"}},
      {2, false, {"Main/Version"}},
      {3, true, {"Main/OpenMini", "Main/Version", "WSFTPPro/Quiet"}},
      {4, true, {"Main/OpenMini", "Main/Version", "LeapFTP/Quit"}},
      {5, true, {"Main/OpenMini", "Main/Version", "Voyager/Quit"}},
      {6, true, {"Main/OpenMini", "Main/Version", "Bullet/Quit"}},
      {7, false, {"Main/Version"}},
      {8, false, {"Main/Version"}},
      {9, true, {"Main/OpenMini", "Main/Version"}},
      {10, true, {"Main/OpenMini", "Main/Version"}},
      {11, true, {"Main/OpenMini", "Main/Version"}},
  };
  for (const auto& k : cases) {
    SettingsChoice c;
    c.iClientType = k.client;
    c.sRetry = "";
    std::vector<std::string> keys = KeysOf(marlock::ClientModeWrites(c));
    std::vector<std::string> head = {"Main/FTPType", "Main/EXEName", "Main/PromptPass",
                                     "Main/DefaultDir", "Main/UseDownManager"};
    head.insert(head.end(), k.tail.begin(), k.tail.end());
    EXPECT_EQ(keys, head) << "client " << k.client;
    EXPECT_EQ(marlock::ClientTypeAt(k.client).miniAvailable, k.openMini);
  }
}

TEST(ClientTable, IndexesAndNames) {
  EXPECT_EQ(marlock::FindClientType(-1), nullptr);
  EXPECT_EQ(marlock::FindClientType(12), nullptr);
  EXPECT_EQ(marlock::FindClientType(255), nullptr);
  for (int i = 0; i < marlock::kClientCount; ++i) {
    EXPECT_EQ(marlock::FindClientType(i)->index, i);
  }
  EXPECT_STREQ(marlock::ClientTypeAt(6).filterPattern, "bpftp*.exe");
  EXPECT_STREQ(marlock::ClientTypeAt(10).frameCaption, "FileZilla Options:");
  EXPECT_STREQ(marlock::kAfterDoneEntries[5], "Hang up and turn off computer");
}

TEST(VersionText, PlainDecimals) { EXPECT_EQ(marlock::VersionText(0, 71, 874), "0.71.874"); }

}  // namespace
