#include "settings/dir_browse_form.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <iterator>

#include "process.h"
#include "settings/config_form.h"

namespace marlock {

using zarvo::forms::ControlSpec;
using zarvo::forms::EventType;
using zarvo::forms::FormSpec;
using zarvo::forms::Kind;
namespace id = dir_browse_ids;

const ControlSpec frmDirBrowse::kControls[] = {
    {"lblDrive", id::lblDrive, Kind::Label, "Drive:", 240, 120, 615, 255},
    {"drvDrive", id::drvDrive, Kind::ComboList, nullptr, 840, 120, 3255, 315},
    {"lblDir", id::lblDir, Kind::Label, "Directory:", 240, 480, 855, 255},
    {"dirDir", id::dirDir, Kind::ListBox, nullptr, 240, 720, 3855, 2790},
    {"cmdOK", id::cmdOK, Kind::Button, "&Select", 960, 3600, 2175, 495, nullptr, 0,
     zarvo::forms::kDefaultColor, zarvo::forms::kDefaultColor, nullptr, 900},
};

const FormSpec frmDirBrowse::kSpec = {"Browse for a Direcory...", 4230, 4185, "Tahoma", 825};

const frmDirBrowse::Handler frmDirBrowse::kHandlers[] = {
    {"Form", EventType::Load, &frmDirBrowse::Form_Load},
    {"drvDrive", EventType::Click, &frmDirBrowse::drvDrive_Change},
    {"dirDir", EventType::DblClick, &frmDirBrowse::dirDir_DblClick},
    {"dirDir", EventType::KeyDown, &frmDirBrowse::dirDir_KeyDown},
    {"cmdOK", EventType::Click, &frmDirBrowse::cmdOK_Click},
};

namespace dir_browse {

std::string NormalizeFolder(const std::string& sPath) {
  std::string s = sPath;
  std::replace(s.begin(), s.end(), '/', '\\');
  if (s.size() < 3 || !std::isalpha(static_cast<unsigned char>(s[0])) || s[1] != ':' ||
      s[2] != '\\') {
    return std::string();
  }
  s[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
  while (s.size() > 3 && s.back() == '\\') s.pop_back();
  return s;
}

std::vector<std::string> FolderChain(const std::string& sFolder) {
  std::vector<std::string> chain;
  if (sFolder.size() < 3) return chain;
  chain.push_back(sFolder.substr(0, 3));
  for (size_t at = sFolder.find('\\', 3); ; at = sFolder.find('\\', at + 1)) {
    std::string sPart = sFolder.substr(0, at);
    if (sPart.size() > 3 && sPart != chain.back()) chain.push_back(sPart);
    if (at == std::string::npos) break;
  }
  return chain;
}

}  // namespace dir_browse

namespace {

// Asking a drive without a disk must not bring up the system's own box.
class QuietDriveErrors {
 public:
  QuietDriveErrors() : old_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~QuietDriveErrors() { SetErrorMode(old_); }

 private:
  UINT old_;
};

std::string LastPart(const std::string& sFolder) {
  size_t slash = sFolder.find_last_of('\\');
  return slash == std::string::npos ? sFolder : sFolder.substr(slash + 1);
}

bool IsDirectory(const std::string& sPath) {
  DWORD attrs = GetFileAttributesA(sPath.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FullPath(const std::string& sPath) {
  char full[MAX_PATH * 2] = {};
  DWORD n = GetFullPathNameA(sPath.c_str(), sizeof full, full, nullptr);
  return n > 0 && n < sizeof full ? std::string(full) : sPath;
}

// The visible subfolders of a folder, sorted without regard to case.
std::vector<std::string> Subfolders(const std::string& sFolder) {
  std::vector<std::string> names;
  std::string sPattern = sFolder + (sFolder.back() == '\\' ? "*" : "\\*");
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA(sPattern.c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) continue;
    if (strcmp(fd.cFileName, ".") == 0 || strcmp(fd.cFileName, "..") == 0) continue;
    names.push_back(fd.cFileName);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return _stricmp(a.c_str(), b.c_str()) < 0;
  });
  return names;
}

}  // namespace

frmDirBrowse::frmDirBrowse(zarvo::forms::Form& config)
    : FormOf(kSpec, kControls, std::size(kControls), kHandlers, std::size(kHandlers)),
      config_(config) {}

void frmDirBrowse::FillDrives() {
  QuietDriveErrors quiet;
  ClearItems("drvDrive");
  driveLetters_.clear();
  const DWORD dwDrives = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(dwDrives & (1u << i))) continue;
    const char cLetter = static_cast<char>('A' + i);
    const std::string sRoot = std::string(1, cLetter) + ":\\";
    std::string sItem = std::string(1, static_cast<char>('a' + i)) + ":";
    const UINT uType = GetDriveTypeA(sRoot.c_str());
    if (uType == DRIVE_FIXED || uType == DRIVE_RAMDISK) {
      char label[MAX_PATH + 1] = {};
      if (GetVolumeInformationA(sRoot.c_str(), label, sizeof label, nullptr, nullptr, nullptr,
                                nullptr, 0) &&
          label[0]) {
        sItem += std::string(" [") + label + "]";
      }
    }
    AddItem("drvDrive", sItem);
    driveLetters_.push_back(cLetter);
  }
}

int frmDirBrowse::DriveIndex(char cLetter) const {
  cLetter = static_cast<char>(std::toupper(static_cast<unsigned char>(cLetter)));
  for (size_t i = 0; i < driveLetters_.size(); ++i) {
    if (driveLetters_[i] == cLetter) return static_cast<int>(i);
  }
  return -1;
}

bool frmDirBrowse::OpenDirectory(const std::string& sPath) {
  QuietDriveErrors quiet;
  const std::string sFolder = dir_browse::NormalizeFolder(FullPath(sPath));
  if (sFolder.empty() || !IsDirectory(sFolder)) return false;
  path_ = sFolder;
  entries_.clear();
  ClearItems("dirDir");
  // The folders from the root down to the open one, then its subfolders, each
  // level indented a little further.
  const std::vector<std::string> chain = dir_browse::FolderChain(sFolder);
  for (size_t i = 0; i < chain.size(); ++i) {
    std::string sText = i == 0 ? chain[0] : std::string(3 * i, ' ') + LastPart(chain[i]);
    if (i == 0) sText[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(sText[0])));
    AddItem("dirDir", sText);
    entries_.push_back(chain[i]);
  }
  const std::string sIndent(3 * chain.size(), ' ');
  const std::string sBase = sFolder.back() == '\\' ? sFolder : sFolder + "\\";
  for (const std::string& sName : Subfolders(sFolder)) {
    AddItem("dirDir", sIndent + sName);
    entries_.push_back(sBase + sName);
  }
  SetListIndex("dirDir", static_cast<int>(chain.size()) - 1);
  return true;
}

void frmDirBrowse::Form_Load(Event&) {
  bLoading = true;
  FillDrives();
  char cwd[MAX_PATH * 2] = {};
  GetCurrentDirectoryA(sizeof cwd, cwd);
  if (OpenDirectory(cwd)) SetListIndex("drvDrive", DriveIndex(path_[0]));
  // A box whose text names no reachable folder leaves the lists where they
  // were created: on the process's current directory.
  const std::string sStart = config_.Text("txtWSDir");
  if (!sStart.empty() && OpenDirectory(sStart)) {
    SetListIndex("drvDrive", DriveIndex(path_[0]));
  }
  bLoading = false;
}

void frmDirBrowse::drvDrive_Change(Event&) {
  if (bLoading) return;
  const int iDrive = ListIndex("drvDrive");
  if (iDrive < 0 || iDrive >= static_cast<int>(driveLetters_.size())) return;
  const std::string sRemembered = path_;
  const std::string sDrive = std::string(1, driveLetters_[iDrive]) + ":";
  // The drive's current directory: its root unless the process has been in
  // one of its folders.
  if (OpenDirectory(FullPath(sDrive))) return;

  bool bNotReady;
  {
    QuietDriveErrors quiet;
    bNotReady = GetFileAttributesA((sDrive + "\\").c_str()) == INVALID_FILE_ATTRIBUTES;
  }
  if (bNotReady) {
    OpenDirectory(sRemembered);
    // Going back to the remembered drive runs this reaction once more and
    // leaves the folder list at that drive's current directory.
    if (!sRemembered.empty()) SetListIndex("drvDrive", DriveIndex(sRemembered[0]));
    zarvo::ShowMessage("The drive you selected is not ready now.", kMessageTitle,
                       MB_ICONHAND | MB_OK);
    return;
  }
  zarvo::ShowMessage(kUnexpectedError, kMessageTitle, MB_ICONHAND | MB_OK);
  zarvo::EndProcess();
}

void frmDirBrowse::OpenEntry(int iIndex) {
  if (iIndex < 0 || iIndex >= static_cast<int>(entries_.size())) return;
  // A folder that went away since the list was filled: show what is there now.
  if (!OpenDirectory(entries_[iIndex])) OpenDirectory(path_);
}

void frmDirBrowse::dirDir_DblClick(Event&) { OpenEntry(ListIndex("dirDir")); }

void frmDirBrowse::dirDir_KeyDown(Event& e) {
  if (e.keyAscii == VK_RETURN) OpenEntry(ListIndex("dirDir"));
}

void frmDirBrowse::cmdOK_Click(Event&) {
  config_.SetText("txtWSDir", path_);
  Unload();
}

}  // namespace marlock
