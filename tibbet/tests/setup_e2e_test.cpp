// "Tibbet.exe -setup" as Zarvo starts it: the dialog the user sees, what OK
// writes, that Cancel and the close box write nothing, and that a second
// start brings the open dialog forward.
#include <gtest/gtest.h>

#include "frm_config.h"
#include "tibbet_e2e.h"

namespace {

using tibbet::frmConfig;
using tibbet_e2e::Install;

constexpr DWORD kWait = 15000;

struct OpenDialog {
  testkit::Process process;
  HWND hwnd = nullptr;
};

OpenDialog StartSetup(const Install& install) {
  OpenDialog s;
  s.process = install.Run("-setup");
  if (s.process.Started()) {
    s.hwnd = tibbet_e2e::WaitForWindowOf(s.process.Id(), "Tibbet Setup", kWait);
  }
  return s;
}

std::wstring WideText(HWND hwnd) {
  wchar_t text[128] = {};
  SendMessageW(hwnd, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text));
  return text;
}

TEST(SetupDialog, ShowsItsControlsAndTheDefaultsWithoutFiles) {
  Install install = tibbet_e2e::NewInstall("defaults");
  OpenDialog setup = StartSetup(install);
  ASSERT_NE(setup.hwnd, nullptr);

  // Every control of the design, at its place in twips (15 a pixel).
  std::vector<uidriver::ControlInfo> controls = uidriver::ListControls(setup.hwnd);
  for (size_t i = 0; i < frmConfig::kControlCount; ++i) {
    const zarvo::forms::ControlSpec& row = frmConfig::kControls[i];
    const uidriver::ControlInfo* found = nullptr;
    for (const auto& c : controls) {
      if (c.id == row.id) found = &c;
    }
    ASSERT_NE(found, nullptr) << row.name;
    EXPECT_TRUE(found->visible) << row.name;
    EXPECT_NEAR(found->rect.left * 15, row.left, 15) << row.name;
    EXPECT_NEAR(found->rect.top * 15, row.top, 15) << row.name;
    EXPECT_NEAR((found->rect.right - found->rect.left) * 15, row.width, 15) << row.name;
  }
  auto text = [&](int id) { return uidriver::GetControlText(setup.hwnd, id); };
  EXPECT_EQ(text(frmConfig::kChkClose), "&Close me when close Zarvo.");
  EXPECT_EQ(text(frmConfig::kChkSavePos), "&Remember last postion.");
  EXPECT_EQ(text(frmConfig::kChkOnTop), "&Start with stay on top.");
  EXPECT_EQ(text(frmConfig::kLblNote), "Note: Font will change next time the plugin starts.");
  EXPECT_EQ(text(frmConfig::kLblEMail), "tibbet@example.org");
  EXPECT_EQ(WideText(uidriver::ControlById(setup.hwnd, frmConfig::kLblVer)),
            L"Version:0.3.128 \u03b1");
  EXPECT_EQ(uidriver::GetItems(setup.hwnd, frmConfig::kCmbFont),
            (std::vector<std::string>{"Tahoma", "Times New Roman", "MS Sans Serif",
                                      "Comic Sans MS", "System"}));

  // The defaults: Tahoma and all three boxes set.
  EXPECT_EQ(uidriver::GetSelectedIndex(setup.hwnd, frmConfig::kCmbFont), 0);
  EXPECT_EQ(uidriver::GetCheck(setup.hwnd, frmConfig::kChkClose), BST_CHECKED);
  EXPECT_EQ(uidriver::GetCheck(setup.hwnd, frmConfig::kChkSavePos), BST_CHECKED);
  EXPECT_EQ(uidriver::GetCheck(setup.hwnd, frmConfig::kChkOnTop), BST_CHECKED);

  // OK writes the four values and ends the program.
  uidriver::ClickControl(setup.hwnd, frmConfig::kCmdOK);
  EXPECT_TRUE(setup.process.WaitExit(kWait));
  EXPECT_EQ(install.ClockIniText(), "[General]\r\nFont=0\r\nSavePos=1\r\nOnTop=1\r\n");
  EXPECT_EQ(install.PluginIniText(), "[General]\r\nCloseWithZarvo=1\r\n");
}

TEST(SetupDialog, OkWritesTheChoicesAndTheClockFollowsThemAtItsNextStart) {
  Install install = tibbet_e2e::NewInstall("choices");
  OpenDialog setup = StartSetup(install);
  ASSERT_NE(setup.hwnd, nullptr);
  uidriver::SelectIndex(setup.hwnd, frmConfig::kCmbFont, 3);
  uidriver::ClickControl(setup.hwnd, frmConfig::kChkOnTop);
  uidriver::ClickControl(setup.hwnd, frmConfig::kChkClose);
  uidriver::ClickControl(setup.hwnd, frmConfig::kCmdOK);
  EXPECT_TRUE(setup.process.WaitExit(kWait));
  EXPECT_EQ(install.ClockIniText(), "[General]\r\nFont=3\r\nSavePos=1\r\nOnTop=0\r\n");
  EXPECT_EQ(install.PluginIniText(), "[General]\r\nCloseWithZarvo=0\r\n");

  testkit::Process clock = install.Run("-startup");
  HWND hwnd = tibbet_e2e::WaitForWindowOf(clock.Id(), "Zarvo Clock", kWait);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_FALSE(tibbet_e2e::IsTopmost(hwnd));
  EXPECT_TRUE(tibbet_e2e::LabelShowsFont(hwnd, "Comic Sans MS"));
}

TEST(SetupDialog, ShowsTheStoredSettings) {
  Install install = tibbet_e2e::NewInstall("stored");
  install.WriteClockIni("[General]\r\nFont=4\r\nSavePos=0\r\nOnTop=1\r\n");
  testkit::WriteFileBytes(install.pluginIni, "[General]\r\nCloseWithZarvo=0\r\n");
  OpenDialog setup = StartSetup(install);
  ASSERT_NE(setup.hwnd, nullptr);
  EXPECT_EQ(uidriver::GetSelectedIndex(setup.hwnd, frmConfig::kCmbFont), 4);
  EXPECT_EQ(uidriver::GetCheck(setup.hwnd, frmConfig::kChkSavePos), BST_UNCHECKED);
  EXPECT_EQ(uidriver::GetCheck(setup.hwnd, frmConfig::kChkOnTop), BST_CHECKED);
  EXPECT_EQ(uidriver::GetCheck(setup.hwnd, frmConfig::kChkClose), BST_UNCHECKED);
}

TEST(SetupDialog, CancelAndTheCloseBoxWriteNothing) {
  for (bool useCloseBox : {false, true}) {
    Install install = tibbet_e2e::NewInstall("cancel");
    OpenDialog setup = StartSetup(install);
    ASSERT_NE(setup.hwnd, nullptr);
    uidriver::SelectIndex(setup.hwnd, frmConfig::kCmbFont, 2);
    uidriver::ClickControl(setup.hwnd, frmConfig::kChkSavePos);
    uidriver::ClickControl(setup.hwnd, frmConfig::kChkClose);
    if (useCloseBox) {
      PostMessageA(setup.hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    } else {
      uidriver::ClickControl(setup.hwnd, frmConfig::kCmdCancel);
    }
    EXPECT_TRUE(setup.process.WaitExit(kWait)) << (useCloseBox ? "close box" : "Cancel");
    EXPECT_FALSE(testkit::PathExists(install.clockIni));
    EXPECT_FALSE(testkit::PathExists(install.pluginIni));
  }
}

TEST(SetupDialog, SecondSetupBringsTheOpenDialogForward) {
  Install install = tibbet_e2e::NewInstall("twice");
  OpenDialog first = StartSetup(install);
  ASSERT_NE(first.hwnd, nullptr);
  // Something else in front.
  HWND other = CreateWindowA("STATIC", "Something else", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                             200, 100, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  for (int i = 0; i < 50 && uidriver::ForegroundWindow() != other; ++i) Sleep(20);
  ASSERT_EQ(uidriver::ForegroundWindow(), other);

  testkit::Process second = install.Run("-setup");
  EXPECT_TRUE(second.WaitExit(kWait)) << "the second start ends";
  HWND front = nullptr;
  for (int i = 0; i < 100 && front != first.hwnd; ++i) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(20);
    front = uidriver::ForegroundWindow();
  }
  EXPECT_EQ(front, first.hwnd) << "the open dialog is in front";
  EXPECT_TRUE(first.process.Running());
  std::vector<HWND> dialogs;
  for (HWND h : uidriver::TopWindowsOfProcess(second.Id())) dialogs.push_back(h);
  EXPECT_TRUE(dialogs.empty()) << "no second dialog";
  DestroyWindow(other);
}

}  // namespace
