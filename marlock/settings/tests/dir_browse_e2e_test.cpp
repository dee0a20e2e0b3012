// The directory browser of a real Marlock.exe -setup: where it opens, what
// "&Select" hands back, and a drive that is not ready.
#include <gtest/gtest.h>

#include "settings/config_form.h"
#include "settings/dir_browse_form.h"
#include "settings_e2e.h"

namespace {

namespace cfg = marlock::config_ids;
namespace id = marlock::dir_browse_ids;
using namespace settings_e2e;

const char kCaption[] = "Browse for a Direcory...";

// Wine's mount manager maps drive letters of the prefix to host folders (as
// winecfg does); a letter mapped to a folder that does not exist stands for
// a drive without its disk.
struct WineUnixDrive {
  ULONG size;
  ULONG type;
  ULONG fsType;
  DWORD serial;
  ULONGLONG unixDevice;
  WCHAR letter;
  USHORT mountPointOffset;
  USHORT deviceOffset;
  USHORT labelOffset;
};
constexpr DWORD kDefineUnixDrive =
    CTL_CODE(0x6d /* 'm' */, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

// Maps the letter to the host folder, or removes the mapping when sUnixPath is empty.
bool DefineWineDrive(char cLetter, const std::string& sUnixPath, UINT uType) {
  std::vector<char> buffer(sizeof(WineUnixDrive) + sUnixPath.size() + 1, '\0');
  auto* d = reinterpret_cast<WineUnixDrive*>(buffer.data());
  d->size = static_cast<ULONG>(buffer.size());
  d->letter = static_cast<WCHAR>(tolower(cLetter));
  d->type = sUnixPath.empty() ? DRIVE_NO_ROOT_DIR : uType;
  if (!sUnixPath.empty()) {
    d->mountPointOffset = sizeof(WineUnixDrive);
    memcpy(buffer.data() + d->mountPointOffset, sUnixPath.c_str(), sUnixPath.size() + 1);
  }
  HANDLE h = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD got = 0;
  BOOL ok = DeviceIoControl(h, kDefineUnixDrive, buffer.data(), d->size, nullptr, 0, &got, nullptr);
  CloseHandle(h);
  return ok != FALSE;
}

class DirBrowseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    in_ = marlock_e2e::NewInstall("dirbrowse");
    in_.Configure(0);
    proc_ = in_.Run("-setup");
    dlg_ = WaitForProcessWindow(proc_.Id(), "Marlock Config");
    ASSERT_NE(dlg_, nullptr);
  }
  // Opens the browser on the text of txtWSDir.
  HWND OpenBrowser(const std::string& sStart) {
    uidriver::SetControlText(dlg_, cfg::txtWSDir, sStart);
    uidriver::ClickControl(dlg_, cfg::cmdWSDirBrowse);
    HWND h = WaitForProcessWindow(proc_.Id(), kCaption);
    EXPECT_NE(h, nullptr) << "the browser did not open";
    return h;
  }
  void Select(HWND browser) {
    uidriver::ClickControl(browser, id::cmdOK);
    EXPECT_TRUE(uidriver::WaitForWindowGone(browser, 10000));
  }
  std::string Box() const { return uidriver::GetControlText(dlg_, cfg::txtWSDir); }
  std::string SelectedDrive(HWND browser) const {
    int i = uidriver::GetSelectedIndex(browser, id::drvDrive);
    auto items = uidriver::GetItems(browser, id::drvDrive);
    return i >= 0 && i < static_cast<int>(items.size()) ? items[i] : std::string();
  }
  // The entry of the directory list that is highlighted.
  std::string Highlighted(HWND browser) const {
    int i = uidriver::GetSelectedIndex(browser, id::dirDir);
    auto items = TrimmedItems(browser, id::dirDir);
    return i >= 0 && i < static_cast<int>(items.size()) ? items[i] : std::string();
  }
  static int IndexOf(const std::vector<std::string>& items, const std::string& s) {
    auto it = std::find(items.begin(), items.end(), s);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
  }

  marlock_e2e::Install in_;
  testkit::Process proc_;
  HWND dlg_ = nullptr;
};

// A folder two levels below the root of Z:, the drive that Wine maps to the
// host's root, while Marlock's current drive is C:.
struct OtherDriveFolder {
  std::string name = "zarvo-dirbrowse-" + std::to_string(GetCurrentProcessId()) + "-" +
                     std::to_string(GetTickCount());
  std::string path = "Z:\\tmp\\" + name;
  OtherDriveFolder() {
    CreateDirectoryA(path.c_str(), nullptr);
    CreateDirectoryA((path + "\\alpha").c_str(), nullptr);
    CreateDirectoryA((path + "\\beta").c_str(), nullptr);
  }
  ~OtherDriveFolder() {
    RemoveDirectoryA((path + "\\alpha").c_str());
    RemoveDirectoryA((path + "\\beta").c_str());
    RemoveDirectoryA(path.c_str());
  }
};

TEST_F(DirBrowseTest, OpensOnAnotherDriveAndHandsBackTheOpenFolder) {
  ASSERT_FALSE(HasFatalFailure());
  OtherDriveFolder folder;
  HWND browser = OpenBrowser(folder.path);
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(SelectedDrive(browser).substr(0, 2), "z:");
  EXPECT_EQ(TrimmedItems(browser, id::dirDir),
            (std::vector<std::string>{"z:\\", "tmp", folder.name, "alpha", "beta"}));
  EXPECT_EQ(Highlighted(browser), folder.name) << "the open folder";
  Screenshot("dir-browser");

  // Highlighted but not opened: the open folder is handed back.
  uidriver::SelectIndex(browser, id::dirDir, 3);
  EXPECT_EQ(Highlighted(browser), "alpha");
  Select(browser);
  EXPECT_EQ(Box(), folder.path);

  // Opened with a double click: that folder is handed back.
  browser = OpenBrowser(folder.path);
  ASSERT_NE(browser, nullptr);
  DoubleClickItem(browser, id::dirDir, 4);
  for (int i = 0; i < 100 && TrimmedItems(browser, id::dirDir).size() != 4; ++i) Sleep(20);
  EXPECT_EQ(TrimmedItems(browser, id::dirDir),
            (std::vector<std::string>{"z:\\", "tmp", folder.name, "beta"}));
  Select(browser);
  EXPECT_EQ(Box(), folder.path + "\\beta");

  // The close box leaves the box as it was.
  browser = OpenBrowser(folder.path + "\\beta");
  ASSERT_NE(browser, nullptr);
  DoubleClickItem(browser, id::dirDir, 1);  // "tmp"
  PostMessageA(browser, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(uidriver::WaitForWindowGone(browser, 10000));
  EXPECT_EQ(Box(), folder.path + "\\beta");
  EXPECT_TRUE(proc_.Running()) << "closing the browser leaves the settings dialog open";
}

TEST_F(DirBrowseTest, EmptyBoxOpensOnCurrentDirectory) {
  ASSERT_FALSE(HasFatalFailure());
  HWND browser = OpenBrowser("");
  ASSERT_NE(browser, nullptr);
  EXPECT_EQ(SelectedDrive(browser).substr(0, 2), "c:");
  Select(browser);
  EXPECT_EQ(_stricmp(Box().c_str(), in_.dir.c_str()), 0) << Box() << " vs " << in_.dir;
}

TEST_F(DirBrowseTest, DriveNotReadyReturnsToPreviousDrive) {
  ASSERT_FALSE(HasFatalFailure());
  // A CD drive of this Wine prefix whose folder is missing: a drive without
  // its disk.
  const char* prefix = std::getenv("WINEPREFIX");
  ASSERT_TRUE(prefix && *prefix) << "needs the Wine prefix";
  char letter = 0;
  for (char c = 'Q'; c <= 'Y' && !letter; ++c) {
    if (!(GetLogicalDrives() & (1u << (c - 'A')))) letter = c;
  }
  ASSERT_NE(letter, 0);
  const std::string missing =
      std::string(prefix) + "/zarvo-no-disk-" + std::to_string(GetCurrentProcessId());
  ASSERT_TRUE(DefineWineDrive(letter, missing, DRIVE_CDROM));
  struct Unmap {
    char letter;
    ~Unmap() { DefineWineDrive(letter, "", 0); }
  } unmap{letter};
  ASSERT_TRUE(GetLogicalDrives() & (1u << (letter - 'A')));

  HWND browser = OpenBrowser(in_.dir);
  ASSERT_NE(browser, nullptr);
  auto drives = uidriver::GetItems(browser, id::drvDrive);
  const std::string sLetter(1, static_cast<char>(tolower(letter)));
  int notReady = -1;
  for (size_t i = 0; i < drives.size(); ++i) {
    if (drives[i].rfind(sLetter + ":", 0) == 0) notReady = static_cast<int>(i);
  }
  ASSERT_GE(notReady, 0) << "the drive is listed";
  EXPECT_EQ(SelectedDrive(browser).substr(0, 2), "c:");

  SelectIndexLater(browser, id::drvDrive, notReady);
  ExpectStopMessage(proc_, "The drive you selected is not ready now.");
  EXPECT_EQ(SelectedDrive(browser).substr(0, 2), "c:") << "back on the previous drive";
  // The folder list shows C:'s current directory, the process's own.
  std::string last = in_.dir.substr(in_.dir.find_last_of('\\') + 1);
  EXPECT_EQ(_stricmp(Highlighted(browser).c_str(), last.c_str()), 0) << Highlighted(browser);
  EXPECT_TRUE(IsWindow(browser)) << "the browser stays open";
  Select(browser);
  EXPECT_EQ(_stricmp(Box().c_str(), in_.dir.c_str()), 0) << Box();
}

}  // namespace
