// The FTP Manager and its site editor in a real Marlock.exe -setup, opened
// from the settings dialog and driven as a user would.
#include <gtest/gtest.h>

#include "launcher/plan_launch.h"
#include "settings/client_table.h"
#include "settings/config_form.h"
#include "settings/tests/settings_e2e.h"
#include "sitestore/manager_form.h"
#include "sitestore/pass_edit_form.h"
#include "sitestore/scramble.h"

namespace {

namespace cfg = marlock::config_ids;
namespace mid = marlock::manager_ids;
namespace eid = marlock::pass_edit_ids;
using namespace settings_e2e;

const char kEditorCaption[] = "FTP Site Infomation";
const char kPortMessage[] = "Please enter a correct port number(1-65535).";

struct Rows {
  std::vector<std::string> hosts, ports;
};

class ManagerTest : public ::testing::Test {
 protected:
  void SetUp() override { in_.Configure(3); }

  void OpenManager() {
    proc_ = in_.Run("-setup");
    dlg_ = WaitForProcessWindow(proc_.Id(), "Marlock Config");
    ASSERT_NE(dlg_, nullptr) << "the settings dialog did not open";
    uidriver::ClickControl(dlg_, cfg::cmdFTPManager);
    mgr_ = WaitForProcessWindow(proc_.Id(), "FTP Manager");
    ASSERT_NE(mgr_, nullptr) << "the manager did not open";
  }
  // Opens the editor with a button of the manager (or nothing, when the
  // caller opened it some other way).
  HWND OpenEditor(int iButton) {
    if (iButton) uidriver::ClickControl(mgr_, iButton);
    HWND ed = WaitForProcessWindow(proc_.Id(), kEditorCaption);
    EXPECT_NE(ed, nullptr) << "the editor did not open";
    return ed;
  }
  void Fill(HWND ed, const std::string& sHost, const std::string& sPort, const std::string& sUser,
            const std::string& sPass) {
    uidriver::SetControlText(ed, eid::txtHost, sHost);
    uidriver::SetControlText(ed, eid::txtPort, sPort);
    uidriver::SetControlText(ed, eid::txtUser, sUser);
    uidriver::SetControlText(ed, eid::txtPass, sPass);
  }
  void Close(HWND ed, int iButton) {
    uidriver::ClickControl(ed, iButton);
    ASSERT_TRUE(uidriver::WaitForWindowGone(ed, 10000));
    Pump(200);
  }
  void AddSite(const std::string& sHost, const std::string& sPort, const std::string& sUser,
               const std::string& sPass) {
    HWND ed = OpenEditor(mid::cmdAdd);
    ASSERT_NE(ed, nullptr);
    Fill(ed, sHost, sPort, sUser, sPass);
    Close(ed, eid::cmdOK);
  }
  Rows ListedRows() const {
    return {uidriver::GetItems(mgr_, mid::lstFTP), uidriver::GetItems(mgr_, mid::lstPort)};
  }
  bool EditAndRemoveEnabled() const {
    return uidriver::IsControlEnabled(mgr_, mid::cmdEdit) &&
           uidriver::IsControlEnabled(mgr_, mid::cmdRemove);
  }
  bool EditAndRemoveDisabled() const {
    return !uidriver::IsControlEnabled(mgr_, mid::cmdEdit) &&
           !uidriver::IsControlEnabled(mgr_, mid::cmdRemove);
  }
  std::string Sites() const { return testkit::ReadFileBytes(in_.siteFile); }
  void WriteSites(const std::string& s) const { testkit::WriteFileBytes(in_.siteFile, s); }
  // Tab from the control that has the focus, as the keyboard would.
  void Tab(HWND ed) {
    PostMessageA(FocusedWindow(ed), WM_KEYDOWN, VK_TAB, 0);
    PostMessageA(FocusedWindow(ed), WM_KEYUP, VK_TAB, 0);
  }

  marlock_e2e::Install in_ = marlock_e2e::NewInstall("manager");
  testkit::Process proc_;
  HWND dlg_ = nullptr, mgr_ = nullptr;
};

TEST_F(ManagerTest, NoSiteFileIsCreatedEmpty) {
  OpenManager();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(Sites(), "\r\n") << "created holding one empty line";
  Rows rows = ListedRows();
  EXPECT_TRUE(rows.hosts.empty());
  EXPECT_TRUE(rows.ports.empty());
  EXPECT_TRUE(EditAndRemoveDisabled());
  EXPECT_FALSE(IsWindowEnabled(dlg_)) << "the settings dialog waits";
  uidriver::ClickControl(mgr_, mid::cmdOK);
  EXPECT_TRUE(uidriver::WaitForWindowGone(mgr_, 10000));
  Pump(200);
  EXPECT_TRUE(IsWindowEnabled(dlg_)) << "and goes on after the manager";
  EXPECT_TRUE(proc_.Running());
}

TEST_F(ManagerTest, AddShowsTheNewRowAndOverwritesAnExistingSite) {
  OpenManager();
  ASSERT_FALSE(HasFatalFailure());
  HWND ed = OpenEditor(mid::cmdAdd);
  ASSERT_NE(ed, nullptr);
  EXPECT_EQ(uidriver::GetControlText(ed, eid::txtPort), "21") << "adding starts with port 21";
  EXPECT_EQ(uidriver::GetControlText(ed, eid::txtHost), "");
  Screenshot("site-editor-add");
  Fill(ed, "ftp.example.org", "21", "anna", "first");
  Close(ed, eid::cmdOK);
  Rows rows = ListedRows();
  EXPECT_EQ(rows.hosts, std::vector<std::string>{"ftp.example.org"});
  EXPECT_EQ(rows.ports, std::vector<std::string>{"21"});
  EXPECT_TRUE(EditAndRemoveEnabled());

  AddSite("files.example.org", "2121", "bob", "pw");
  AddSite("ftp.example.org", "21", "carla", "second");
  rows = ListedRows();
  EXPECT_EQ(rows.hosts, (std::vector<std::string>{"ftp.example.org", "files.example.org"}));
  EXPECT_EQ(rows.ports, (std::vector<std::string>{"21", "2121"}));
  Screenshot("site-manager");
  const std::string text = Sites();
  EXPECT_EQ(text.find("[ftp.example.org_21]"), text.rfind("[ftp.example.org_21]")) << text;
  const std::string scrambled = marlock::ScramblePassword("second", true);
  EXPECT_NE(text.find("[ftp.example.org_21]\r\nHost=ftp.example.org\r\nPort=21\r\nUserName=carla"
                      "\r\nPassword=" + scrambled + "\r\n"),
            std::string::npos)
      << text;
}

TEST_F(ManagerTest, RowsActOnTheirOwnSections) {
  WriteSites(
      "\r\n[a_21]\r\nHost=a\r\nPort=21\r\nUserName=ua\r\n"
      "[noport_21]\r\nHost=noport\r\nUserName=x\r\n"
      "[c_2121]\r\nHost=c\r\nPort=2121\r\nUserName=uc\r\n"
      "[odd]\r\nPort=990\r\n");
  OpenManager();
  ASSERT_FALSE(HasFatalFailure());
  Rows rows = ListedRows();
  EXPECT_EQ(rows.hosts, (std::vector<std::string>{"a", "c", "AAANULL"}));
  EXPECT_EQ(rows.ports, (std::vector<std::string>{"21", "2121", "990"}));
  EXPECT_EQ(uidriver::GetSelectedIndex(mgr_, mid::lstFTP), 0);
  EXPECT_EQ(uidriver::GetSelectedIndex(mgr_, mid::lstPort), 0);

  // A click in either list selects the same row in the other.
  uidriver::SelectIndex(mgr_, mid::lstPort, 1);
  EXPECT_EQ(uidriver::GetSelectedIndex(mgr_, mid::lstFTP), 1);
  HWND ed = OpenEditor(mid::cmdEdit);
  ASSERT_NE(ed, nullptr);
  EXPECT_EQ(uidriver::GetControlText(ed, eid::txtHost), "c");
  EXPECT_EQ(uidriver::GetControlText(ed, eid::txtPort), "2121");
  EXPECT_EQ(uidriver::GetControlText(ed, eid::txtUser), "uc");
  EXPECT_FALSE(uidriver::IsControlEnabled(ed, eid::txtHost)) << "host and port are locked";
  EXPECT_FALSE(uidriver::IsControlEnabled(ed, eid::txtPort));
  Screenshot("site-editor-edit");
  Close(ed, eid::cmdExit);

  // The row without a host edits its own section.
  uidriver::SelectIndex(mgr_, mid::lstFTP, 2);
  ed = OpenEditor(mid::cmdEdit);
  ASSERT_NE(ed, nullptr);
  EXPECT_EQ(uidriver::GetControlText(ed, eid::txtHost), "255") << "a missing key shows as 255";
  EXPECT_EQ(uidriver::GetControlText(ed, eid::txtPort), "990");
  uidriver::SetControlText(ed, eid::txtUser, "dora");
  Close(ed, eid::cmdOK);
  std::string text = Sites();
  EXPECT_NE(text.find("[odd]\r\nPort=990\r\nHost=255\r\nUserName=dora\r\nPassword=\r\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(text.find("255_990"), std::string::npos) << text;

  // Remove takes the selected row's section; the unlisted one stays.
  uidriver::SelectIndex(mgr_, mid::lstFTP, 1);
  uidriver::ClickControl(mgr_, mid::cmdRemove);
  for (int i = 0; i < 100 && ListedRows().hosts.size() != 2; ++i) Pump(20);
  rows = ListedRows();
  EXPECT_EQ(rows.hosts, (std::vector<std::string>{"a", "255"})) << "as edited above";
  text = Sites();
  EXPECT_EQ(text.find("[c_2121]"), std::string::npos) << text;
  EXPECT_NE(text.find("[noport_21]\r\nHost=noport\r\nUserName=x\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[a_21]"), std::string::npos) << text;
}

TEST_F(ManagerTest, EditWithoutChangesWritesTheSamePasswordBack) {
  // A password whose third character scrambles to a line feed: kept whole.
  std::string password = "pa";
  password.push_back(static_cast<char>(10 ^ marlock::ScrambleMaskAt(2)));
  password += "word";
  OpenManager();
  ASSERT_FALSE(HasFatalFailure());
  AddSite("ftp.example.org", "21", "anna", password);
  const std::string before = Sites();
  // Double-clicking a row opens the editor for it.
  DoubleClickItem(mgr_, mid::lstPort, 0);
  HWND ed = OpenEditor(0);
  ASSERT_NE(ed, nullptr);
  EXPECT_EQ(uidriver::GetControlText(ed, eid::txtUser), "anna");
  EXPECT_EQ(SendMessageA(uidriver::ControlById(ed, eid::txtPass), WM_GETTEXTLENGTH, 0, 0),
            static_cast<LRESULT>(password.size()));
  Close(ed, eid::cmdOK);
  EXPECT_EQ(Sites(), before);
}

TEST_F(ManagerTest, PortIsCheckedWhenLeavingItsBox) {
  OpenManager();
  ASSERT_FALSE(HasFatalFailure());
  HWND ed = OpenEditor(mid::cmdAdd);
  ASSERT_NE(ed, nullptr);
  ASSERT_EQ(WaitForFocus(ed, eid::txtHost), eid::txtHost);
  Tab(ed);
  ASSERT_EQ(WaitForFocus(ed, eid::txtPort), eid::txtPort);
  HWND port = uidriver::ControlById(ed, eid::txtPort);
  TypeChars(ed, eid::txtPort, "x-");
  EXPECT_EQ(uidriver::GetControlText(ed, eid::txtPort), "21") << "only digits are taken";

  for (const char* sBad : {"0", "70000", ""}) {
    uidriver::SetControlText(ed, eid::txtPort, sBad);
    Tab(ed);
    ExpectStopMessage(proc_, kPortMessage, "Marlock", ed);
    EXPECT_EQ(WaitForFocus(ed, eid::txtPort), eid::txtPort) << "port \"" << sBad << "\"";
    const LRESULT sel = SendMessageA(port, EM_GETSEL, 0, 0);
    EXPECT_EQ(LOWORD(sel), 0) << "port \"" << sBad << "\"";
    EXPECT_EQ(HIWORD(sel), strlen(sBad)) << "the whole text is selected";
  }
  uidriver::SetControlText(ed, eid::txtPort, "65535");
  Tab(ed);
  EXPECT_EQ(WaitForFocus(ed, eid::txtUser), eid::txtUser);
  EXPECT_EQ(uidriver::WaitForMessageBox(500, proc_.Id()), nullptr) << "a good port passes";
  Close(ed, eid::cmdExit);
  EXPECT_EQ(Sites(), "\r\n") << "Cancel writes nothing";
}

TEST_F(ManagerTest, CancelWritesNothing) {
  WriteSites("[h_21]\r\nHost=h\r\nPort=21\r\nUserName=u\r\nPassword=\r\n");
  const std::string before = Sites();
  OpenManager();
  ASSERT_FALSE(HasFatalFailure());
  HWND ed = OpenEditor(mid::cmdAdd);
  ASSERT_NE(ed, nullptr);
  Fill(ed, "new.example.org", "21", "n", "p");
  Close(ed, eid::cmdExit);
  ed = OpenEditor(mid::cmdEdit);
  ASSERT_NE(ed, nullptr);
  uidriver::SetControlText(ed, eid::txtUser, "changed");
  Close(ed, eid::cmdExit);
  EXPECT_EQ(Sites(), before);
  EXPECT_EQ(ListedRows().hosts, std::vector<std::string>{"h"});
}

TEST_F(ManagerTest, RemovingTheLastSiteDisablesEditAndRemove) {
  WriteSites("[h_21]\r\nHost=h\r\nPort=21\r\nUserName=u\r\n");
  OpenManager();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_TRUE(EditAndRemoveEnabled());
  uidriver::ClickControl(mgr_, mid::cmdRemove);
  for (int i = 0; i < 100 && !ListedRows().hosts.empty(); ++i) Pump(20);
  EXPECT_TRUE(ListedRows().hosts.empty());
  EXPECT_TRUE(ListedRows().ports.empty());
  EXPECT_TRUE(EditAndRemoveDisabled());
  EXPECT_EQ(Sites().find("[h_21]"), std::string::npos) << "removed without a question";
  EXPECT_EQ(uidriver::WaitForMessageBox(300, proc_.Id()), nullptr);
}

TEST_F(ManagerTest, UnreadableSiteFileEndsWithPluginError) {
  CreateDirectoryA(in_.siteFile.c_str(), nullptr);  // a folder where the file should be
  proc_ = in_.Run("-setup");
  dlg_ = WaitForProcessWindow(proc_.Id(), "Marlock Config");
  ASSERT_NE(dlg_, nullptr);
  uidriver::ClickControl(dlg_, cfg::cmdFTPManager);
  HWND box = uidriver::WaitForMessageBox(15000, proc_.Id());
  ASSERT_NE(box, nullptr);
  uidriver::MessageBoxInfo info = uidriver::ReadMessageBox(box);
  EXPECT_EQ(info.text.rfind("Plugin error:", 0), 0u) << info.text;
  EXPECT_NE(info.text.find("\r\n"), std::string::npos) << "number, line break, description";
  EXPECT_EQ(info.title, "Marlock");
  EXPECT_EQ(info.icon, uidriver::BoxIcon::Stop);
  uidriver::PressButton(box, IDOK);
  EXPECT_TRUE(proc_.WaitExit(10000)) << "Marlock ends";
}

// A site added in the manager gives a link without login its user name and
// password on the way to the FTP client (WS_FTP Pro: " -u ", " -w ").
TEST_F(ManagerTest, AddedSiteReachesTheClientThroughALink) {
  OpenManager();
  ASSERT_FALSE(HasFatalFailure());
  AddSite("server", "21", "anna", "secret");
  uidriver::ClickControl(mgr_, mid::cmdOK);
  ASSERT_TRUE(uidriver::WaitForWindowGone(mgr_, 10000));
  uidriver::ClickControl(dlg_, cfg::cmdCancel);
  ASSERT_TRUE(proc_.WaitExit(10000));

  testkit::Process link = in_.Run("-u=ftp://server/pub/");
  EXPECT_TRUE(link.WaitExit(15000));
  std::vector<testkit::Received> got = in_.Received(1, 10000);
  ASSERT_EQ(got.size(), 1u) << "the client was not started";
  EXPECT_NE(got[0].commandLine.find(" -u anna -w secret "), std::string::npos)
      << got[0].commandLine;
}

}  // namespace
