// The settings dialog of a real Marlock.exe -setup, driven as a user would:
// what it shows, what OK writes (key by key, in order) and what it refuses.
#include <gtest/gtest.h>

#include "Marlock_version.h"
#include "settings/config_form.h"
#include "settings_e2e.h"

namespace {

namespace id = marlock::config_ids;
using namespace settings_e2e;
using testkit::IniText;

const std::string kVersion = std::to_string(APP_VERSION_MAJOR) + "." +
                             std::to_string(APP_VERSION_MINOR) + "." +
                             std::to_string(APP_VERSION_REVISION);
const char kNotConfigured[] =
    "This plugin hasn't not been configed, please config it before you use it!";

class ConfigDialogTest : public ::testing::Test {
 protected:
  // Opens the dialog on the installation as it is now.
  void Open(bool bExpectNotConfigured) {
    proc_ = in_.Run("-setup");
    ASSERT_TRUE(proc_.Started());
    if (bExpectNotConfigured) {
      ExpectStopMessage(proc_, kNotConfigured);
      if (HasFatalFailure()) return;
    }
    dlg_ = WaitForProcessWindow(proc_.Id(), "Marlock Config");
    ASSERT_NE(dlg_, nullptr) << "the settings dialog did not open";
  }
  void PressOkAndWaitForEnd() {
    uidriver::ClickControl(dlg_, id::cmdOK);
    ASSERT_TRUE(proc_.WaitExit(15000)) << "OK ends the process";
  }
  std::string SettingsText() const { return testkit::ReadFileBytes(in_.settingsFile); }

  marlock_e2e::Install in_ = marlock_e2e::NewInstall("config");
  testkit::Process proc_;
  HWND dlg_ = nullptr;
};

TEST_F(ConfigDialogTest, FirstStartWithoutSettings) {
  Open(true);
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(uidriver::GetSelectedIndex(dlg_, id::cmbPrgType), 0);
  EXPECT_EQ(uidriver::GetControlText(dlg_, id::cmbPrgType), "FlashFXP");
  EXPECT_TRUE(IsVisibleControl(dlg_, id::fmeFlashFXP2));
  EXPECT_EQ(uidriver::GetSelectedIndex(dlg_, id::cmbFFClose), 0);
  Screenshot("config-client-mode");

  uidriver::SetControlText(dlg_, id::txtLocation, in_.client);
  uidriver::SelectIndex(dlg_, id::cmbPrgType, 1);
  EXPECT_TRUE(IsVisibleControl(dlg_, id::fmeCute)) << "CuteFTP XP's frame comes forward";
  EXPECT_FALSE(IsVisibleControl(dlg_, id::fmeFlashFXP2));
  EXPECT_EQ(uidriver::GetControlText(dlg_, id::txtLocation), "") << "the path is emptied";
  EXPECT_FALSE(testkit::PathExists(in_.settingsFile)) << "nothing is written before OK";
}

TEST_F(ConfigDialogTest, FlashFxpConfirmationWritesKeysInOrder) {
  Open(true);
  ASSERT_FALSE(HasFatalFailure());
  uidriver::SetControlText(dlg_, id::txtLocation, in_.client);
  uidriver::SetControlText(dlg_, id::txtWSDir, "D:\\My Downloads");
  ClickNow(dlg_, id::chkPrompt);
  ClickNow(dlg_, id::optFFTray);
  uidriver::SelectIndex(dlg_, id::cmbFFClose, 2);
  PressOkAndWaitForEnd();
  EXPECT_EQ(SettingsText(), IniText({{"Main",
                                      {{"UseIE", "0"},
                                       {"FTPType", "0"},
                                       {"EXEName", in_.client},
                                       {"PromptPass", "1"},
                                       {"DefaultDir", "D:\\My Downloads"},
                                       {"UseDownManager", "0"},
                                       {"OpenMini", "0"},
                                       {"Version", kVersion}}},
                                     {"FlashFXP2", {{"OnFinish", "2"}, {"OpenTray", "1"}}}}));
}

TEST_F(ConfigDialogTest, SwitchingToLeapFtpKeepsFlashFxpSection) {
  in_.Configure(0, "PromptPass=0\r\nUseIE=0\r\n", "[FlashFXP2]\r\nOnFinish=1\r\nOpenTray=0\r\n");
  Open(false);
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(uidriver::GetSelectedIndex(dlg_, id::cmbFFClose), 1) << "stored options are shown";
  uidriver::SelectIndex(dlg_, id::cmbPrgType, 4);
  EXPECT_TRUE(IsVisibleControl(dlg_, id::fmeLeap));
  uidriver::SetControlText(dlg_, id::txtLocation, in_.client);
  ClickNow(dlg_, id::chkLeapQuit);
  PressOkAndWaitForEnd();
  EXPECT_EQ(SettingsText(), IniText({{"Main",
                                      {{"FTPType", "4"},
                                       {"EXEName", in_.client},
                                       {"DefaultDir", in_.dir},
                                       {"PromptPass", "0"},
                                       {"UseIE", "0"},
                                       {"UseDownManager", "0"},
                                       {"OpenMini", "0"},
                                       {"Version", kVersion}}},
                                     {"FlashFXP2", {{"OnFinish", "1"}, {"OpenTray", "0"}}},
                                     {"LeapFTP", {{"Quit", "1"}}}}));
}

TEST_F(ConfigDialogTest, CrystalFtpNeverWritesOpenMini) {
  Open(true);
  ASSERT_FALSE(HasFatalFailure());
  uidriver::SelectIndex(dlg_, id::cmbPrgType, 7);
  EXPECT_TRUE(IsVisibleControl(dlg_, id::fmeCrystal));
  EXPECT_FALSE(uidriver::IsControlEnabled(dlg_, id::chkMini));
  EXPECT_TRUE(uidriver::IsControlEnabled(dlg_, id::chkDownFile));

  ClickNow(dlg_, id::chkUseIE);
  EXPECT_TRUE(IsVisibleControl(dlg_, id::fmeIE));
  EXPECT_FALSE(uidriver::IsControlEnabled(dlg_, id::cmbPrgType));
  Screenshot("config-ie-mode");
  ClickNow(dlg_, id::chkUseIE);
  EXPECT_FALSE(IsVisibleControl(dlg_, id::fmeIE));
  EXPECT_TRUE(uidriver::IsControlEnabled(dlg_, id::chkMini)) << "clearing UseIE enables chkMini";
  ClickNow(dlg_, id::chkMini);
  EXPECT_EQ(uidriver::GetCheck(dlg_, id::chkMini), BST_CHECKED);

  uidriver::SetControlText(dlg_, id::txtLocation, in_.client);
  uidriver::SetControlText(dlg_, id::txtWSDir, in_.dir);
  PressOkAndWaitForEnd();
  EXPECT_EQ(SettingsText(), IniText({{"Main",
                                      {{"UseIE", "0"},
                                       {"FTPType", "7"},
                                       {"EXEName", in_.client},
                                       {"PromptPass", "0"},
                                       {"DefaultDir", in_.dir},
                                       {"UseDownManager", "0"},
                                       {"Version", kVersion}}}}));
}

TEST_F(ConfigDialogTest, InternetExplorerModeSavesTwoKeysWithoutChecks) {
  Open(true);
  ASSERT_FALSE(HasFatalFailure());
  ClickNow(dlg_, id::chkUseIE);
  PressOkAndWaitForEnd();
  EXPECT_EQ(SettingsText(), IniText({{"Main", {{"PromptPass", "0"}, {"UseIE", "1"}}}}));
}

// ---- OK's checks: message, focus, and "UseIE" already written

struct CheckCase {
  const char* name;
  const char* location;  // relative to the installation; "" for an empty box
  const char* directory;
  const char* message;
  int focus;
};

void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.name; }

const char kNoClient[] = "Please select the FTP Client program first!";
const char kBadClient[] = "Unable to find the FTP Client program,please re-config it!";
const char kNoDir[] = "Please select a default download directory first.";

const CheckCase kChecks[] = {
    {"NoExecutable", "", "C:\\", kNoClient, id::txtLocation},
    {"ExecutableGone", "gone.exe", "C:\\", kBadClient, id::txtLocation},
    {"NotAnExe", "readme.txt", "C:\\", kBadClient, id::txtLocation},
    {"HiddenExe", "hidden.exe", "C:\\", kBadClient, id::txtLocation},
    {"FolderNamedExe", "folder.exe", "C:\\", kBadClient, id::txtLocation},
    {"NoDownloadDirectory", "ftpclient.exe", "", kNoDir, id::cmdWSDirBrowse},
};

class OkCheckTest : public ConfigDialogTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(OkCheckTest, RefusesWithMessageAndFocus) {
  const CheckCase& c = GetParam();
  testkit::WriteFileBytes(in_.dir + "\\readme.txt", "text");
  testkit::WriteFileBytes(in_.dir + "\\hidden.exe", "MZ");
  SetFileAttributesA((in_.dir + "\\hidden.exe").c_str(), FILE_ATTRIBUTE_HIDDEN);
  CreateDirectoryA((in_.dir + "\\folder.exe").c_str(), nullptr);
  Open(true);
  ASSERT_FALSE(HasFatalFailure());
  uidriver::SetControlText(dlg_, id::txtLocation, *c.location ? in_.dir + "\\" + c.location : "");
  uidriver::SetControlText(dlg_, id::txtWSDir, c.directory);
  uidriver::ClickControl(dlg_, id::cmdOK);
  ExpectStopMessage(proc_, c.message, "Marlock", dlg_);
  EXPECT_EQ(WaitForFocus(dlg_, c.focus), c.focus) << "the focus goes to the field concerned";
  EXPECT_TRUE(proc_.Running()) << "the dialog stays open";
  EXPECT_TRUE(IsWindowVisible(dlg_));
  EXPECT_EQ(SettingsText(), IniText({{"Main", {{"UseIE", "0"}}}})) << "written before the checks";
}

INSTANTIATE_TEST_SUITE_P(Checks, OkCheckTest, ::testing::ValuesIn(kChecks),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the retry box of CuteFTP XP

TEST_F(ConfigDialogTest, RetryBoxFiltersAndCaps) {
  in_.Configure(1, "", "[CuteFTP]\r\nAutoRename=0\r\nRetry=999\r\n");
  Open(false);
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_TRUE(IsVisibleControl(dlg_, id::fmeCute));
  EXPECT_EQ(uidriver::GetControlText(dlg_, id::txtCURetry), "0") << "a stored 999 shows as 0";

  HWND retry = uidriver::ControlById(dlg_, id::txtCURetry);
  SendMessageA(retry, EM_SETSEL, 0, -1);
  TypeChars(dlg_, id::txtCURetry, "1000");
  EXPECT_EQ(uidriver::GetControlText(dlg_, id::txtCURetry), "999");
  TypeChars(dlg_, id::txtCURetry, "ab-");
  EXPECT_EQ(uidriver::GetControlText(dlg_, id::txtCURetry), "999") << "letters are refused";
  SendMessageA(retry, EM_SETSEL, 3, 3);
  TypeChars(dlg_, id::txtCURetry, "\b\b\b");
  EXPECT_EQ(uidriver::GetControlText(dlg_, id::txtCURetry), "");

  PressOkAndWaitForEnd();
  std::string text = SettingsText();
  EXPECT_NE(text.find("[CuteFTP]\r\nAutoRename=0\r\nRetry=\r\n"), std::string::npos) << text;
}

// ---- ways out without saving

TEST_F(ConfigDialogTest, CloseBoxAndCancelWriteNothing) {
  in_.Configure(0, "PromptPass=1\r\n");
  const std::string before = SettingsText();
  for (bool bCloseBox : {true, false}) {
    Open(false);
    ASSERT_FALSE(HasFatalFailure());
    ClickNow(dlg_, id::chkPrompt);
    uidriver::SelectIndex(dlg_, id::cmbPrgType, 3);
    if (bCloseBox) {
      PostMessageA(dlg_, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
      uidriver::ClickControl(dlg_, id::cmdCancel);
    }
    EXPECT_TRUE(proc_.WaitExit(15000)) << (bCloseBox ? "close box" : "Cancel");
    EXPECT_EQ(SettingsText(), before) << (bCloseBox ? "close box" : "Cancel");
  }
}

// ---- a second start while the dialog is open

TEST_F(ConfigDialogTest, SecondStartBringsDialogForwardAndLaunchesNothing) {
  in_.Configure(0);
  Open(false);
  ASSERT_FALSE(HasFatalFailure());
  HWND other = CreateWindowA("STATIC", "Something else", WS_POPUP | WS_VISIBLE | WS_CAPTION, 600,
                             50, 200, 100, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  Pump(300);
  ASSERT_EQ(GetForegroundWindow(), other);

  testkit::Process second = in_.Run("-u=ftp://user:pw@host/pub/");
  ASSERT_TRUE(second.WaitExit(15000)) << "the second start ends at once";
  Pump(300);
  EXPECT_EQ(GetForegroundWindow(), dlg_) << "the open dialog comes forward";
  EXPECT_TRUE(in_.Received(1, 1000).empty()) << "no client is started";
  EXPECT_TRUE(proc_.Running());
  EXPECT_TRUE(uidriver::TopWindowsOfProcess(second.Id()).empty());
  DestroyWindow(other);
}

// ---- choosing the executable with the open-file dialog

// The common dialog's lists are Unicode windows: their items are read wide.
std::vector<std::string> WideComboItems(HWND hwndCombo) {
  std::vector<std::string> items;
  int n = static_cast<int>(SendMessageW(hwndCombo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    wchar_t w[512] = {};
    SendMessageW(hwndCombo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(w));
    char a[512] = {};
    WideCharToMultiByte(CP_ACP, 0, w, -1, a, sizeof a, nullptr, nullptr);
    items.push_back(a);
  }
  return items;
}

TEST_F(ConfigDialogTest, BrowseOffersClientFilterAndFillsPath) {
  Open(true);
  ASSERT_FALSE(HasFatalFailure());
  uidriver::SelectIndex(dlg_, id::cmbPrgType, 4);
  uidriver::ClickControl(dlg_, id::cmdBrowse);
  HWND open = WaitForProcessWindow(proc_.Id(), "Find the FTP Client");
  ASSERT_NE(open, nullptr) << "the open-file dialog did not come";
  // The file-type list of the common dialog (cmb1) and its file-name box.
  EXPECT_EQ(WideComboItems(uidriver::ControlById(open, 0x470)),
            (std::vector<std::string>{"LeapFTP(leapftp.exe)", "All executable files(*.EXE)"}));
  HWND name = uidriver::ControlById(open, 0x47C);  // cmb13
  if (!name) name = uidriver::ControlById(open, 0x480);  // edt1
  ASSERT_NE(name, nullptr);
  SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(in_.client.c_str()));
  uidriver::PressButton(open, IDOK);
  EXPECT_TRUE(uidriver::WaitForWindowGone(open, 10000));
  EXPECT_EQ(uidriver::GetControlText(dlg_, id::txtLocation), in_.client);
}

}  // namespace
