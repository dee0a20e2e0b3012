// The writes of a first confirmation, applied to a real file.
#include "settings/settings_io.h"

#include <gtest/gtest.h>

#include "testkit.h"

namespace {

TEST(SettingsIo, FirstConfirmationFileBytes) {
  std::string dir = testkit::NewScratchDir("settings-io");
  std::string path = dir + "\\FTPSetup.ini";
  marlock::SettingsChoice c;
  c.iClientType = 0;
  c.sExeName = "C:\\FlashFXP\\FlashFXP.exe";
  c.sDefaultDir = "C:\\My Downloads";
  c.sVersion = "0.71.874";
  marlock::ApplyProfileWrites(path, marlock::ClientModeFirstWrite());
  marlock::ApplyProfileWrites(path, marlock::ClientModeWrites(c));
  EXPECT_EQ(testkit::ReadFileBytes(path),
            testkit::IniText({{"Main",
                               {{"UseIE", "0"},
                                {"FTPType", "0"},
                                {"EXEName", "C:\\FlashFXP\\FlashFXP.exe"},
                                {"PromptPass", "0"},
                                {"DefaultDir", "C:\\My Downloads"},
                                {"UseDownManager", "0"},
                                {"OpenMini", "0"},
                                {"Version", "0.71.874"}}},
                              {"FlashFXP2", {{"OnFinish", "0"}, {"OpenTray", "0"}}}}));
}

TEST(SettingsIo, SwitchingClientKeepsEarlierSection) {
  std::string dir = testkit::NewScratchDir("settings-io");
  std::string path = dir + "\\FTPSetup.ini";
  marlock::SettingsChoice c;
  c.iClientType = 0;
  marlock::ApplyProfileWrites(path, marlock::ClientModeWrites(c));
  c.iClientType = 4;
  c.bLeapQuit = true;
  marlock::ApplyProfileWrites(path, marlock::ClientModeWrites(c));
  std::string text = testkit::ReadFileBytes(path);
  EXPECT_NE(text.find("[FlashFXP2]\r\nOnFinish=0\r\nOpenTray=0\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[LeapFTP]\r\nQuit=1\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("FTPType=4\r\n"), std::string::npos) << text;
}

}  // namespace
