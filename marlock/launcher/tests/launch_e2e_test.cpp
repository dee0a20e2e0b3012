// LaunchLink end to end: the real Marlock.exe, started as Zarvo starts it,
// in a scratch folder with its own FTPSetup.ini and FTPData.db and the
// recording client as its FTP client.
#include <gtest/gtest.h>

#include "launcher/plan_launch.h"
#include "marlock_e2e.h"

namespace {

using uidriver::BoxIcon;

// A scratch installation with a download folder (with a blank in its name)
// apart from Marlock's own folder, and a current directory for Marlock that
// is neither, as Zarvo's would be.
struct Launch {
  marlock_e2e::Install in = marlock_e2e::NewInstall("launch");
  std::string downloads = in.dir + "\\My Downloads";
  std::string zarvoDir = in.dir + "\\Zarvo";

  Launch() {
    CreateDirectoryA(downloads.c_str(), nullptr);
    CreateDirectoryA(zarvoDir.c_str(), nullptr);
  }
  // FTPSetup.ini for the client, with further lines of section Main and
  // further sections.
  void Configure(int iClient, const std::string& sMain = "", const std::string& sSections = "") {
    in.WriteSettings("[Main]\r\nFTPType=" + std::to_string(iClient) + "\r\nEXEName=" + in.client +
                     "\r\nDefaultDir=" + downloads + "\r\n" + sMain + sSections);
  }
  testkit::Process Run(const std::string& sLink) {
    return testkit::Start(in.exe, "-u=" + sLink, zarvoDir,
                          {"ZARVO_RECORD_FILE=" + in.recordFile});
  }
  // "%D" in a text stands for the download folder.
  std::string Expand(std::string s) const {
    for (size_t at; (at = s.find("%D")) != std::string::npos;) s.replace(at, 2, downloads);
    return s;
  }
};

// Marlock ended on its own and started nothing, showed nothing.
[[maybe_unused]] void ExpectQuietEnd(Launch& l, testkit::Process& marlock) {
  EXPECT_TRUE(marlock.WaitExit(15000)) << "the process ends";
  EXPECT_EQ(uidriver::WaitForMessageBox(300, marlock.Id()), nullptr) << "no message";
  EXPECT_TRUE(l.in.Received(1, 500).empty()) << "no client is started";
}

// The message box of a run, read, checked and dismissed; the run then ends
// without starting a client.
void ExpectMessageThenEnd(Launch& l, testkit::Process& marlock, const std::string& sText) {
  HWND box = uidriver::WaitForMessageBox(15000, marlock.Id());
  ASSERT_NE(box, nullptr) << "no message box";
  uidriver::MessageBoxInfo info = uidriver::ReadMessageBox(box);
  EXPECT_EQ(info.title, "Marlock");
  EXPECT_EQ(info.text, sText);
  EXPECT_EQ(info.icon, BoxIcon::Stop) << "icon: " << uidriver::BoxIconName(info.icon);
  EXPECT_EQ(info.buttons, std::vector<std::string>{"OK"});
  EXPECT_TRUE(marlock.Running()) << "the process waits for the message";
  uidriver::PressButton(box, IDOK);
  EXPECT_TRUE(marlock.WaitExit(10000)) << "the process ends after the message";
  EXPECT_TRUE(l.in.Received(1, 300).empty()) << "no client is started";
}

// The settings dialog opens instead of a client, with its own warning; the
// run ends when the dialog closes, and nothing is started or written.
void ExpectSettingsDialogInstead(Launch& l, testkit::Process& marlock, const std::string& sText) {
  HWND box = uidriver::WaitForMessageBox(15000, marlock.Id());
  ASSERT_NE(box, nullptr) << "no message box";
  uidriver::MessageBoxInfo info = uidriver::ReadMessageBox(box);
  EXPECT_EQ(info.title, "Marlock");
  EXPECT_EQ(info.text, sText);
  EXPECT_EQ(info.icon, BoxIcon::Stop) << "icon: " << uidriver::BoxIconName(info.icon);
  uidriver::PressButton(box, IDOK);
  HWND dialog = nullptr;
  for (int i = 0; i < 500 && !dialog; ++i) {
    for (HWND h : uidriver::TopWindowsOfProcess(marlock.Id())) {
      if (IsWindowVisible(h) && uidriver::GetText(h) == "Marlock Config") dialog = h;
    }
    if (!dialog) Sleep(20);
  }
  ASSERT_NE(dialog, nullptr) << "the settings dialog opens";
  PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(marlock.WaitExit(10000)) << "the run ends with the dialog";
  EXPECT_TRUE(l.in.Received(1, 300).empty()) << "no client is started";
}

TEST(LaunchE2e, NoSettingsFileOpensTheSettingsDialog) {
  Launch l;
  testkit::Process marlock = l.Run("ftp://host/");
  ASSERT_TRUE(marlock.Started());
  ExpectSettingsDialogInstead(
      l, marlock, "This plugin hasn't not been configed, please config it before you use it!");
  EXPECT_FALSE(testkit::PathExists(l.in.settingsFile)) << "nothing is written";
}

TEST(LaunchE2e, MissingClientFileOpensTheSettingsDialog) {
  Launch l;
  const std::string settings = "[Main]\r\nFTPType=0\r\nEXEName=" + l.in.dir + "\\gone.exe\r\n";
  l.in.WriteSettings(settings);
  testkit::Process marlock = l.Run("ftp://host/");
  ExpectSettingsDialogInstead(l, marlock,
                              "Unable to find the ftp client file, please reconfig the plugin!");
  EXPECT_EQ(testkit::ReadFileBytes(l.in.settingsFile), settings) << "nothing is written";
}

TEST(LaunchE2e, UnsupportedClient) {
  Launch l;
  l.Configure(12);
  testkit::Process marlock = l.Run("ftp://host/");
  ExpectMessageThenEnd(
      l, marlock,
      "Unsupported FTP Client,Please delete the ftpsetup.ini file and re-config the plugin.");
}

TEST(LaunchE2e, LinkWithoutSiteIsRefused) {
  for (const char* link : {"", "ftp://", "ftp:///pub/"}) {
    Launch l;
    l.Configure(3);
    testkit::Process marlock = l.Run(link);
    ExpectMessageThenEnd(l, marlock, marlock::kNoSiteInLinkText);
  }
}

}  // namespace
