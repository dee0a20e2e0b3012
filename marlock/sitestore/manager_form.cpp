#include "sitestore/manager_form.h"

#include <windows.h>

#include <iterator>

#include "launcher/data_paths.h"
#include "process.h"
#include "profile.h"
#include "sitestore/ini_file_store.h"
#include "sitestore/inifile.h"
#include "sitestore/pass_edit_form.h"
#include "sitestore/site_file.h"

namespace marlock {

using zarvo::forms::ControlSpec;
using zarvo::forms::EventType;
using zarvo::forms::FormSpec;
using zarvo::forms::Kind;
namespace id = manager_ids;

namespace {

constexpr COLORREF kGrey = RGB(224, 224, 224);
constexpr const char* kFrame = "fmeFTPList";
constexpr const char* kMissing = "AAANULL";
constexpr unsigned kTitleBox = zarvo::forms::kReadOnly | zarvo::forms::kNoTabStop;

// A failure while the list is read: the platform's error number and text.
struct ListError {
  DWORD code;
};

std::string ErrorDescription(DWORD dwCode) {
  char* text = nullptr;
  FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                     FORMAT_MESSAGE_IGNORE_INSERTS,
                 nullptr, dwCode, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string s = text ? text : "";
  if (text) LocalFree(text);
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ')) s.pop_back();
  return s;
}

// The site file as text; a missing file is created holding one empty line.
std::string ReadSiteFileText(const std::string& sPath) {
  HANDLE h = CreateFileA(sPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD err = GetLastError();
    if (err != ERROR_FILE_NOT_FOUND) throw ListError{err};
    HANDLE created = CreateFileA(sPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE) throw ListError{GetLastError()};
    DWORD written = 0;
    WriteFile(created, "\r\n", 2, &written, nullptr);
    CloseHandle(created);
    return "\r\n";
  }
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
  CloseHandle(h);
  return text;
}

std::string TrimField(const std::string& s) {
  size_t from = s.find_first_not_of(" \t");
  if (from == std::string::npos) return std::string();
  size_t to = s.find_last_not_of(" \t");
  return s.substr(from, to - from + 1);
}

}  // namespace

std::vector<std::string> SectionHeaders(const std::string& sText) {
  std::vector<std::string> names;
  std::string field;
  auto finish = [&]() {
    const std::string f = TrimField(field);
    if (!f.empty() && f[0] == '[') names.push_back(f.size() >= 2 ? f.substr(1, f.size() - 2) : "");
    field.clear();
  };
  for (char c : sText) {
    if (c == '\r' || c == '\n' || c == ',') {
      finish();
    } else {
      field.push_back(c);
    }
  }
  finish();
  return names;
}

const ControlSpec frmManager::kControls[] = {
    {kFrame, id::fmeFTPList, Kind::Frame, nullptr, 120, 0, 5535, 3375},
    {"txtAddress", id::txtAddress, Kind::TextBox, "FTP Address:", 120, 240, 4215, 285, kFrame,
     kTitleBox, kGrey},
    {"txtPort", id::txtPort, Kind::TextBox, "Port:", 4320, 240, 1095, 285, kFrame, kTitleBox,
     kGrey},
    {"lstFTP", id::lstFTP, Kind::ListBox, nullptr, 120, 550, 4250, 2400, kFrame},
    {"lstPort", id::lstPort, Kind::ListBox, nullptr, 4300, 550, 1080, 2400, kFrame},
    {"cmdAdd", id::cmdAdd, Kind::Button, "&Add", 360, 3000, 1335, 255, kFrame},
    {"cmdEdit", id::cmdEdit, Kind::Button, "&Edit", 2040, 3000, 1335, 255, kFrame},
    {"cmdRemove", id::cmdRemove, Kind::Button, "&Remove", 3840, 3000, 1335, 255, kFrame},
    {"cmdOK", id::cmdOK, Kind::Button, "OK", 1680, 3480, 2175, 375, nullptr,
     zarvo::forms::kDefault},
};

const FormSpec frmManager::kSpec = {"FTP Manager", 5760, 3945, "Tahoma", 825};

const frmManager::Handler frmManager::kHandlers[] = {
    {"Form", EventType::Load, &frmManager::Form_Load},
    {"lstFTP", EventType::Click, &frmManager::lstFTP_Click},
    {"lstPort", EventType::Click, &frmManager::lstPort_Click},
    {"lstFTP", EventType::DblClick, &frmManager::lst_DblClick},
    {"lstPort", EventType::DblClick, &frmManager::lst_DblClick},
    {"cmdAdd", EventType::Click, &frmManager::cmdAdd_Click},
    {"cmdEdit", EventType::Click, &frmManager::cmdEdit_Click},
    {"cmdRemove", EventType::Click, &frmManager::cmdRemove_Click},
    {"cmdOK", EventType::Click, &frmManager::cmdOK_Click},
};

frmManager::frmManager()
    : FormOf(kSpec, kControls, std::size(kControls), kHandlers, std::size(kHandlers)) {}

void frmManager::Form_Load(Event&) { RefreshSiteList(); }

void frmManager::RefreshSiteList() {
  try {
    ClearItems("lstFTP");
    ClearItems("lstPort");
    rowSections_.clear();
    const std::string& sPath = GetDataPaths().siteFile;
    for (const std::string& sSection : SectionHeaders(ReadSiteFileText(sPath))) {
      const std::string sHost = zarvo::ReadProfileText(sPath, sSection.c_str(), "Host", kMissing);
      const std::string sPort = zarvo::ReadProfileText(sPath, sSection.c_str(), "Port", kMissing);
      if (sPort == kMissing) continue;
      AddItem("lstFTP", sHost);
      AddItem("lstPort", sPort);
      rowSections_.push_back(sSection);
    }
    const bool bAny = !rowSections_.empty();
    if (bAny) {
      SetListIndex("lstFTP", 0);
      SetListIndex("lstPort", 0);
    }
    Enable("cmdEdit", bAny);
    Enable("cmdRemove", bAny);
  } catch (const ListError& e) {
    zarvo::ShowMessage("Plugin error:" + std::to_string(e.code) + "\r\n" + ErrorDescription(e.code),
                       "Marlock", MB_ICONHAND | MB_OK);
    zarvo::EndProcess();
  }
}

void frmManager::lstFTP_Click(Event&) { SetListIndex("lstPort", ListIndex("lstFTP")); }

void frmManager::lstPort_Click(Event&) { SetListIndex("lstFTP", ListIndex("lstPort")); }

void frmManager::lst_DblClick(Event& e) { cmdEdit_Click(e); }

void frmManager::cmdAdd_Click(Event&) {
  sSiteSection.clear();
  frmPassEdit editor;
  editor.ShowModal();
  RefreshSiteList();
}

void frmManager::cmdEdit_Click(Event&) {
  const int iRow = ListIndex("lstFTP");
  if (iRow < 0 || iRow >= static_cast<int>(rowSections_.size())) return;
  sSiteSection = rowSections_[iRow];
  frmPassEdit editor;
  editor.Load();
  IniFileStore sites(GetDataPaths().siteFile);
  editor.SetText("txtHost", sites.Read(sSiteSection, sitekeys::kHost, "255"));
  editor.SetText("txtPort", sites.Read(sSiteSection, sitekeys::kPort, "255"));
  editor.SetText("txtUser", sites.Read(sSiteSection, sitekeys::kUserName, "255"));
  // An absent password is the empty one, as when a link's login is looked up.
  editor.SetText("txtPass", ReadSavedPassword(sites, sSiteSection));
  // Host and port make up the section's name: they stay as they are.
  for (const char* sBox : {"txtHost", "txtPort"}) {
    editor.SetBackColor(sBox, kGrey);
    editor.Enable(sBox, false);
  }
  editor.ShowModal();
}

void frmManager::cmdRemove_Click(Event&) {
  const int iRow = ListIndex("lstFTP");
  if (iRow < 0 || iRow >= static_cast<int>(rowSections_.size())) return;
  {
    cInifile ini;
    ini.Path(GetDataPaths().siteFile);
    ini.Section(rowSections_[iRow]);
    ini.DeleteSection();
  }
  RefreshSiteList();
}

void frmManager::cmdOK_Click(Event&) { Unload(); }

void ShowSiteManager() {
  frmManager manager;
  manager.ShowModal();
}

}  // namespace marlock
