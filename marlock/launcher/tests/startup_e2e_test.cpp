// Marlock started as Zarvo starts it, checked through what the user sees.
#include <gtest/gtest.h>

#include "marlock_e2e.h"

namespace {

using uidriver::BoxIcon;

struct MessageCase {
  const char* name;
  const char* arguments;
  const char* text;
};

// Test names and failure messages show the case's name.
void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.name; }

const MessageCase kMessages[] = {
    {"EmptyCommandLine", "", "This Plugin can be used with Zarvo only."},
    {"UpperCaseSwitch", "-U=ftp://host/", "Invalid parameter."},
    {"UnknownWord", "hello", "Invalid parameter."},
};

class StartupMessageTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(StartupMessageTest, ShowsMessageAndEnds) {
  const MessageCase& c = GetParam();
  auto install = marlock_e2e::NewInstall("startup");
  testkit::Process marlock = install.Run(c.arguments);
  ASSERT_TRUE(marlock.Started());

  HWND box = uidriver::WaitForMessageBox(15000, marlock.Id());
  ASSERT_NE(box, nullptr) << "no message box for \"" << c.arguments << "\"";
  uidriver::MessageBoxInfo info = uidriver::ReadMessageBox(box);
  EXPECT_EQ(info.title, "Zarvo Marlock");
  EXPECT_EQ(info.text, c.text);
  EXPECT_EQ(info.icon, BoxIcon::Stop) << "icon: " << uidriver::BoxIconName(info.icon);
  EXPECT_EQ(info.buttons, std::vector<std::string>{"OK"});

  EXPECT_TRUE(marlock.Running()) << "the process waits for the message";
  uidriver::PressButton(box, IDOK);
  EXPECT_TRUE(marlock.WaitExit(10000)) << "the process ends after the message";
  EXPECT_FALSE(testkit::PathExists(install.settingsFile)) << "nothing is written";
}

INSTANTIATE_TEST_SUITE_P(CommandLines, StartupMessageTest, ::testing::ValuesIn(kMessages),
                         [](const auto& info) { return std::string(info.param.name); });

// A stand-in for an open settings dialog, owned by the test process.
class ConfigWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "StandInConfig";
    RegisterClassA(&wc);
    config_ = CreateWindowA("StandInConfig", "Marlock Config", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                            50, 50, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
    other_ = CreateWindowA("StandInConfig", "Something else", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                           400, 50, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(other_);
    Pump();
  }
  void TearDown() override {
    DestroyWindow(config_);
    DestroyWindow(other_);
  }
  static void Pump() {
    for (int i = 0; i < 20; ++i) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      Sleep(10);
    }
  }
  HWND config_ = nullptr;
  HWND other_ = nullptr;
};

TEST_F(ConfigWindowTest, SecondStartOnlyBringsSettingsForward) {
  for (const char* args : {"-u=ftp://host/", "-setup", ""}) {
    SetForegroundWindow(other_);
    Pump();
    ASSERT_EQ(GetForegroundWindow(), other_);

    auto install = marlock_e2e::NewInstall("activate");
    install.Configure(0);
    testkit::Process marlock = install.Run(args);
    ASSERT_TRUE(marlock.WaitExit(15000)) << "args \"" << args << "\"";
    Pump();
    EXPECT_EQ(GetForegroundWindow(), config_) << "args \"" << args << "\"";
    EXPECT_TRUE(install.Received(1, 500).empty()) << "no client is started";
    EXPECT_TRUE(uidriver::TopWindowsOfProcess(marlock.Id()).empty());
    EXPECT_EQ(uidriver::WaitForMessageBox(200), nullptr) << "no message";
  }
}

}  // namespace

namespace {

// The switch need not stand at the start of the command line.
TEST(StartupSwitches, LinkSwitchAnywhereLaunchesTheLink) {
  auto install = marlock_e2e::NewInstall("startup-x");
  install.Configure(10);  // a client that takes the link as it came
  testkit::Process marlock = install.Run("x-u=ftp://host/pub/");
  ASSERT_TRUE(marlock.WaitExit(15000));
  std::vector<testkit::Received> got = install.Received(1, 10000);
  ASSERT_EQ(got.size(), 1u) << "the client was not started";
  const std::string& line = got[0].commandLine;
  ASSERT_GE(line.size(), 16u);
  EXPECT_EQ(line.substr(line.size() - 16), " ftp://host/pub/") << line;
}

// "-setup" wins over a link: the settings dialog opens and nothing launches.
TEST(StartupSwitches, SetupWinsOverLink) {
  auto install = marlock_e2e::NewInstall("startup-setup");
  install.Configure(10);
  testkit::Process marlock = install.Run("-u=ftp://host/ -setup");
  HWND dialog = nullptr;
  for (int i = 0; i < 150 && !dialog; ++i) {
    for (HWND h : uidriver::TopWindowsOfProcess(marlock.Id())) {
      if (uidriver::GetText(h) == "Marlock Config" && IsWindowVisible(h)) dialog = h;
    }
    if (!dialog) Sleep(100);
  }
  ASSERT_NE(dialog, nullptr) << "no settings dialog";
  EXPECT_TRUE(install.Received(1, 500).empty()) << "no client is started";
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(marlock.WaitExit(10000)) << "closing the dialog ends the run";
  EXPECT_TRUE(install.Received(1, 300).empty());
}

}  // namespace
