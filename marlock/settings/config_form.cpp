#include "settings/config_form.h"

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <new>

#include "Marlock_version.h"
#include "launcher/data_paths.h"
#include "numvalue.h"
#include "process.h"
#include "profile.h"
#include "settings/client_table.h"
#include "settings/dir_browse_form.h"
#include "settings/settings_file.h"
#include "settings/settings_io.h"
#include "sitestore/manager_form.h"

namespace marlock {

using zarvo::forms::ControlSpec;
using zarvo::forms::EventType;
using zarvo::forms::FormSpec;
using zarvo::forms::kCancel;
using zarvo::forms::kDefault;
using zarvo::forms::kHidden;
using zarvo::forms::kReadOnly;
using zarvo::forms::kWideText;
using zarvo::forms::Kind;
namespace id = config_ids;

namespace {

constexpr COLORREF kGrey = RGB(0xE0, 0xE0, 0xE0);
constexpr COLORREF kLinkBlue = RGB(0, 0, 0xFF);
constexpr const char* kBasic = "fmeBasic";
constexpr const char* kNothing = "Nothing to config yet.";
constexpr const char* kQuitCaption = "&Quit after the process has completed.";

// The options frame of each client, in client order.
const char* const kClientFrames[kClientCount] = {
    "fmeFlashFXP2", "fmeCute",  "fmeCutePro", "fmeWSFTP",  "fmeLeap",  "fmeVoyager",
    "fmeBullet",    "fmeCrystal", "fmeACE",   "fmeSmart",  "fmeFZilla", "fmeTurboFTP",
};

// Options frames share one place: 120, 3120, 4815, 1095.
#define OPTIONS_FRAME(name, ident, caption, flags) \
  {name, ident, Kind::Frame, caption, 120, 3120, 4815, 1095, nullptr, flags}

}  // namespace

const ControlSpec frmConfig::kControls[] = {
    {kBasic, id::fmeBasic, Kind::Frame, "Main Setting:", 120, 120, 4815, 2895},
    {"lblFTPType", id::lblFTPType, Kind::Label, "&FTP Client Type:", 240, 360, 2295, 255, kBasic},
    {"cmbPrgType", id::cmbPrgType, Kind::ComboList, nullptr, 1440, 300, 3135, 315, kBasic},
    {"lblLocation", id::lblLocation, Kind::Label, "&EXE Location:", 240, 760, 1215, 255, kBasic},
    {"txtLocation", id::txtLocation, Kind::TextBox, "", 1320, 720, 3015, 315, kBasic, kReadOnly,
     kGrey},
    {"cmdBrowse", id::cmdBrowse, Kind::Button, "...", 4320, 720, 315, 315, kBasic},
    {"chkPrompt", id::chkPrompt, Kind::CheckBox,
     "&Prompt for username and password if not included in URL", 240, 1080, 4455, 255, kBasic},
    {"chkMini", id::chkMini, Kind::CheckBox, "Start FTP client &minimized", 240, 1380, 4095, 255,
     kBasic},
    {"lblWSDir", id::lblWSDir, Kind::Label, "&Default download directory:", 240, 1710, 2295, 255,
     kBasic},
    {"txtWSDir", id::txtWSDir, Kind::TextBox, "", 2280, 1680, 2055, 285, kBasic, 0, kGrey},
    {"cmdWSDirBrowse", id::cmdWSDirBrowse, Kind::Button, "...", 4320, 1680, 300, 285, kBasic},
    {"chkUseIE", id::chkUseIE, Kind::CheckBox, "&Use Internet Explorer to explore FTP sites.", 240,
     2040, 4335, 195, kBasic},
    {"chkDownFile", id::chkDownFile, Kind::CheckBox,
     "&Download Files using your download manager.", 240, 2280, 4455, 195, kBasic},
    {"cmdFTPManager", id::cmdFTPManager, Kind::Button, "&Start the FTP Manager", 240, 2520, 4335,
     255, kBasic},

    OPTIONS_FRAME("fmeFlashFXP2", id::fmeFlashFXP2, "FlashFXP Setting:", 0),
    {"optFFTray", id::optFFTray, Kind::CheckBox, "Start minimized to system &tray.", 240, 240, 4215,
     255, "fmeFlashFXP2"},
    {"lblFFClose", id::lblFFClose, Kind::Label, "After done:", 240, 600, 1335, 255,
     "fmeFlashFXP2"},
    {"cmbFFClose", id::cmbFFClose, Kind::ComboList, nullptr, 1200, 560, 3495, 315,
     "fmeFlashFXP2"},

    OPTIONS_FRAME("fmeCute", id::fmeCute, "CuteFTP XP Setting:", kHidden),
    {"chkCURename", id::chkCURename, Kind::CheckBox,
     "If download file exist,then auto &rename it.", 240, 360, 4335, 255, "fmeCute"},
    {"lblCURetry", id::lblCURetry, Kind::Label, "Default retry times(0 for unlimited):", 240, 720,
     3495, 255, "fmeCute"},
    {"txtCURetry", id::txtCURetry, Kind::TextBox, "0", 2880, 680, 615, 285, "fmeCute"},

    OPTIONS_FRAME("fmeCutePro", id::fmeCutePro, "CuteFTP Pro Setting:", kHidden),
    {"lblNothingCutePro", id::lblNothingCutePro, Kind::Label, kNothing, 240, 360, 3975, 255,
     "fmeCutePro"},

    OPTIONS_FRAME("fmeWSFTP", id::fmeWSFTP, "WS_FTP Pro Settings:", kHidden),
    {"chkWSQuiet", id::chkWSQuiet, Kind::CheckBox, "Use &quiet mode", 240, 360, 3855, 255,
     "fmeWSFTP"},

    OPTIONS_FRAME("fmeLeap", id::fmeLeap, "LeapFTP Setting:", kHidden),
    {"chkLeapQuit", id::chkLeapQuit, Kind::CheckBox, kQuitCaption, 240, 360, 4215, 255, "fmeLeap"},

    OPTIONS_FRAME("fmeVoyager", id::fmeVoyager, "FTP Voyager Setting:", kHidden),
    {"chkVoyagerQuit", id::chkVoyagerQuit, Kind::CheckBox, kQuitCaption, 240, 360, 3975, 255,
     "fmeVoyager"},

    OPTIONS_FRAME("fmeBullet", id::fmeBullet, "Bullet Proof FTP Setting:", kHidden),
    {"chkBulletQuit", id::chkBulletQuit, Kind::CheckBox, kQuitCaption, 240, 360, 4335, 255,
     "fmeBullet"},

    OPTIONS_FRAME("fmeCrystal", id::fmeCrystal, "Crystal FTP Pro Setting:", kHidden),
    {"lblNothingCrystal", id::lblNothingCrystal, Kind::Label, kNothing, 240, 360, 3975, 255,
     "fmeCrystal"},

    OPTIONS_FRAME("fmeACE", id::fmeACE, "Ace FTP Setting:", kHidden),
    {"lblNothingACE", id::lblNothingACE, Kind::Label, kNothing, 240, 360, 3975, 255, "fmeACE"},

    OPTIONS_FRAME("fmeSmart", id::fmeSmart, "SmartFTP Setting:", kHidden),
    {"lblNothingSmart", id::lblNothingSmart, Kind::Label, kNothing, 240, 360, 3975, 255,
     "fmeSmart"},

    OPTIONS_FRAME("fmeFZilla", id::fmeFZilla, "FileZilla Options:", kHidden),
    {"lblNothingFZilla", id::lblNothingFZilla, Kind::Label, kNothing, 240, 360, 3975, 255,
     "fmeFZilla"},

    OPTIONS_FRAME("fmeTurboFTP", id::fmeTurboFTP, "TurboFTP Settings:", kHidden),
    {"lblNothingTurboFTP", id::lblNothingTurboFTP, Kind::Label, kNothing, 240, 360, 3975, 255,
     "fmeTurboFTP"},

    OPTIONS_FRAME("fmeIE", id::fmeIE, "Internet Explorer Options:", kHidden),
    {"lblNothingIE", id::lblNothingIE, Kind::Label, kNothing, 240, 360, 3975, 255, "fmeIE"},

    {"cmdOK", id::cmdOK, Kind::Button, "OK", 720, 4320, 1335, 375, nullptr, kDefault,
     zarvo::forms::kDefaultColor, zarvo::forms::kDefaultColor, nullptr, 900},
    {"cmdCancel", id::cmdCancel, Kind::Button, "Cancel", 2880, 4320, 1335, 375, nullptr, kCancel,
     zarvo::forms::kDefaultColor, zarvo::forms::kDefaultColor, nullptr, 900},
    {"lblEMail", id::lblEMail, Kind::Label, kContactAddress, 480, 4680, 1935, 255, nullptr, 0,
     zarvo::forms::kDefaultColor, kLinkBlue},
    {"lblVer", id::lblVer, Kind::Label, nullptr, 2640, 4680, 2535, 255, nullptr, kWideText},
};

#undef OPTIONS_FRAME

const size_t frmConfig::kControlCount = std::size(frmConfig::kControls);

const FormSpec frmConfig::kSpec = {"Marlock Config", 4995, 4890, "Tahoma", 825};

const frmConfig::Handler frmConfig::kHandlers[] = {
    {"Form", EventType::Load, &frmConfig::Form_Load},
    {"Form", EventType::Unload, &frmConfig::Form_Unload},
    {"cmbPrgType", EventType::Click, &frmConfig::cmbPrgType_Click},
    {"chkUseIE", EventType::Click, &frmConfig::chkUseIE_Click},
    {"cmdBrowse", EventType::Click, &frmConfig::cmdBrowse_Click},
    {"cmdWSDirBrowse", EventType::Click, &frmConfig::cmdWSDirBrowse_Click},
    {"cmdFTPManager", EventType::Click, &frmConfig::cmdFTPManager_Click},
    {"cmdOK", EventType::Click, &frmConfig::cmdOK_Click},
    {"cmdCancel", EventType::Click, &frmConfig::cmdCancel_Click},
    {"lblEMail", EventType::Click, &frmConfig::lblEMail_Click},
    {"txtCURetry", EventType::KeyPress, &frmConfig::txtCURetry_KeyPress},
    {"txtCURetry", EventType::Change, &frmConfig::txtCURetry_Change},
};

namespace {

const std::string& SettingsPath() { return GetDataPaths().settingsFile; }

std::string Read(const char* sSection, const char* sKey, const char* sDefault) {
  return zarvo::ReadProfileText(SettingsPath(), sSection, sKey, sDefault);
}

double ReadNumber(const char* sSection, const char* sKey, const char* sDefault) {
  return zarvo::NumericValue(Read(sSection, sKey, sDefault));
}

bool ReadFlag(const char* sSection, const char* sKey, const char* sDefault) {
  return zarvo::IsFlagSet(Read(sSection, sKey, sDefault));
}

// A stored whole number in [iLow, iHigh]; -1 for anything else (a value the
// dialog never writes counts as missing).
int StoredIndex(double dValue, int iLow, int iHigh) {
  if (dValue != std::floor(dValue) || dValue < iLow || dValue > iHigh) return -1;
  return static_cast<int>(dValue);
}

// The numeric value as plain decimal text.
std::string DecimalText(double dValue) {
  char buffer[64];
  if (dValue == std::floor(dValue) && std::fabs(dValue) < 1e15) {
    std::snprintf(buffer, sizeof buffer, "%.0f", dValue);
  } else {
    std::snprintf(buffer, sizeof buffer, "%.15g", dValue);
  }
  return buffer;
}

std::string TrimBlanks(const std::string& sText) {
  size_t first = sText.find_first_not_of(' ');
  if (first == std::string::npos) return std::string();
  size_t last = sText.find_last_not_of(' ');
  return sText.substr(first, last - first + 1);
}

// A file the user can see: folders, hidden and system files do not count.
bool VisibleFileExists(const std::string& sPath) {
  if (sPath.empty()) return false;
  DWORD attrs = GetFileAttributesA(sPath.c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES) return false;
  return !(attrs & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

bool EndsWithExe(const std::string& sPath) {
  if (sPath.size() < 3) return false;
  return _stricmp(sPath.c_str() + sPath.size() - 3, "EXE") == 0;
}

void Stop(const char* sText) {
  zarvo::ShowMessage(sText, kMessageTitle, MB_ICONHAND | MB_OK);
}

}  // namespace

frmConfig::frmConfig()
    : FormOf(kSpec, kControls, kControlCount, kHandlers, std::size(kHandlers)) {}

frmConfig& ConfigForm() {
  static frmConfig form;
  return form;
}

void frmConfig::Form_Load(Event&) {
  const std::wstring sVersion = L"Version:" + std::to_wstring(APP_VERSION_MAJOR) + L"." +
                                std::to_wstring(APP_VERSION_MINOR) + L"." +
                                std::to_wstring(APP_VERSION_REVISION) + L" \u03b2";
  SetWideText("lblVer", sVersion.c_str());
  bLoading = true;

  ClearItems("cmbPrgType");
  for (int i = 0; i < kClientCount; ++i) AddItem("cmbPrgType", ClientTypeAt(i).listEntry);
  SetListIndex("cmbPrgType", 0);
  ClearItems("cmbFFClose");
  for (const char* sEntry : kAfterDoneEntries) AddItem("cmbFFClose", sEntry);
  SetListIndex("cmbFFClose", 0);
  BringClientFrameToFront(kFlashFXP);

  const int iClient = StoredIndex(ReadNumber(keys::kMain, keys::kFtpType, "255"), 0,
                                  kClientCount - 1);
  if (iClient < 0) {
    Stop("This plugin hasn't not been configed, please config it before you use it!");
    bLoading = false;
    return;
  }
  SetListIndex("cmbPrgType", iClient);

  const std::string sExe = TrimBlanks(Read(keys::kMain, keys::kExeName, "NO"));
  if (!zarvo::FileExists(sExe)) {
    Stop("Unable to find the ftp client file, please reconfig the plugin!");
    bLoading = false;
    return;
  }
  SetText("txtLocation", sExe);
  SetChecked("chkPrompt", ReadFlag(keys::kMain, keys::kPromptPass, "255"));
  SetText("txtWSDir", Read(keys::kMain, keys::kDefaultDir, GetDataPaths().programDir.c_str()));
  bLoading = false;

  if (ReadFlag(keys::kMain, keys::kOpenMini, "0")) SetChecked("chkMini", true);
  ShowClientOptions(iClient);
  SetChecked("chkUseIE", ReadFlag(keys::kMain, keys::kUseIE, "255"));
  SetChecked("chkDownFile", ReadFlag(keys::kMain, keys::kUseDownManager, "255"));
  bLoading = false;
}

void frmConfig::Form_Unload(Event&) { zarvo::EndProcess(); }

void frmConfig::cmbPrgType_Click(Event&) {
  if (bLoading) return;
  const int iIndex = ListIndex("cmbPrgType");
  if (!FindClientType(iIndex)) return;
  // A new client needs its own executable.
  SetText("txtLocation", "");
  ShowClientOptions(iIndex);
}

void frmConfig::ShowClientOptions(int iIndex) {
  const ClientType* type = FindClientType(iIndex);
  if (!type) return;
  switch (iIndex) {
    case kFlashFXP: {
      const int iFinish = StoredIndex(ReadNumber(keys::kFlashSection, keys::kOnFinish, "255"), 0,
                                      static_cast<int>(kAfterDoneCount) - 1);
      if (iFinish < 0) {
        SetListIndex("cmbFFClose", 0);
      } else {
        SetListIndex("cmbFFClose", iFinish);
        if (ReadFlag(keys::kFlashSection, keys::kOpenTray, "0")) SetChecked("optFFTray", true);
      }
      break;
    }
    case kCuteFtpXp: {
      const int iRename = StoredIndex(ReadNumber(keys::kCuteSection, keys::kAutoRename, "255"),
                                      0, 1);
      if (iRename < 0) {
        SetChecked("chkCURename", false);
      } else {
        SetChecked("chkCURename", iRename == 1);
        const double dRetry = ReadNumber(keys::kCuteSection, keys::kRetry, "0");
        SetText("txtCURetry", dRetry == 999 ? std::string("0") : DecimalText(dRetry));
      }
      break;
    }
    case kWsFtpPro:
      if (ReadFlag(keys::kWsFtpSection, keys::kQuiet, "0")) SetChecked("chkWSQuiet", true);
      break;
    case kLeapFtp:
      if (ReadFlag(keys::kLeapSection, keys::kQuit, "0")) SetChecked("chkLeapQuit", true);
      break;
    case kFtpVoyager:
      if (ReadFlag(keys::kVoyagerSection, keys::kQuit, "0")) SetChecked("chkVoyagerQuit", true);
      break;
    case kBulletProofFtp:
      if (ReadFlag(keys::kBulletSection, keys::kQuit, "0")) SetChecked("chkBulletQuit", true);
      break;
    default:
      break;
  }
  Enable("chkMini", type->miniAvailable);
  Enable("chkDownFile", type->downFileAvailable);
  BringClientFrameToFront(iIndex);
}

void frmConfig::BringClientFrameToFront(int iIndex) {
  frontClient_ = iIndex;
  for (int i = 0; i < kClientCount; ++i) {
    if (i != iIndex) SetVisible(kClientFrames[i], false);
  }
  SetVisible(kClientFrames[iIndex], true);
  PutInFront(kClientFrames[iIndex]);
  // Internet Explorer's frame stays over the client frames while it shows.
  if (Visible("fmeIE")) PutInFront("fmeIE");
}

void frmConfig::PutInFront(const char* sFrame) {
  // In front of the other options frames, yet after the main frame, so that
  // Tab still runs from the main settings to the options.
  HWND hwnd = Control(sFrame);
  if (!hwnd) return;
  SetWindowPos(hwnd, Control("fmeBasic"), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  InvalidateRect(hwnd, nullptr, TRUE);
}

std::string frmConfig::FrontClientFrame() const { return kClientFrames[frontClient_]; }

void frmConfig::EnableClientControls(bool bEnabled) {
  for (const char* sName :
       {"cmbPrgType", "txtLocation", "chkMini", "cmdBrowse", "cmdWSDirBrowse", "txtWSDir"}) {
    Enable(sName, bEnabled);
  }
  for (const char* sFrame : kClientFrames) {
    Enable(sFrame, bEnabled);
    for (const ControlSpec& c : Controls()) {
      if (c.container && strcmp(c.container, sFrame) == 0) Enable(c.name, bEnabled);
    }
  }
}

void frmConfig::chkUseIE_Click(Event&) {
  if (Checked("chkUseIE")) {
    EnableClientControls(false);
    SetVisible("fmeIE", true);
    PutInFront("fmeIE");
  } else {
    EnableClientControls(true);
    SetVisible("fmeIE", false);
    PutInFront(kClientFrames[frontClient_]);
  }
}

void frmConfig::cmdBrowse_Click(Event&) {
  try {
    std::string sFilter;
    if (const ClientType* type = FindClientType(ListIndex("cmbPrgType"))) {
      sFilter = std::string(type->filterDescription) + '\0' + type->filterPattern + '\0' +
                "All executable files(*.EXE)" + '\0' + "*.EXE" + '\0';
    }
    sFilter.push_back('\0');
    char sFile[256] = {};
    char sTitle[256] = {};
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = Hwnd();
    ofn.lpstrFilter = sFilter.size() > 1 ? sFilter.c_str() : nullptr;
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = sFile;
    ofn.nMaxFile = 255;
    ofn.lpstrFileTitle = sTitle;
    ofn.nMaxFileTitle = 255;
    ofn.lpstrTitle = "Find the FTP Client";
    ofn.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    if (GetOpenFileNameA(&ofn)) SetText("txtLocation", sFile);
  } catch (...) {
    zarvo::ShowMessage(kUnexpectedError, kMessageTitle, MB_ICONHAND | MB_OK);
    zarvo::EndProcess();
  }
}

void frmConfig::cmdWSDirBrowse_Click(Event&) {
  frmDirBrowse browser(*this);
  browser.ShowModal();
}

void frmConfig::cmdFTPManager_Click(Event&) { ShowSiteManager(); }

void frmConfig::cmdOK_Click(Event&) {
  SettingsChoice choice;
  choice.bUseIE = Checked("chkUseIE");
  choice.bPromptPass = Checked("chkPrompt");
  const std::string& sPath = SettingsPath();
  if (choice.bUseIE) {
    ApplyProfileWrites(sPath, InternetExplorerModeWrites(choice));
    zarvo::EndProcess();
  }
  ApplyProfileWrites(sPath, ClientModeFirstWrite());

  choice.sExeName = Text("txtLocation");
  if (choice.sExeName.empty()) {
    Stop("Please select the FTP Client program first!");
    SetFocusTo("txtLocation");
    return;
  }
  if (!VisibleFileExists(choice.sExeName) || !EndsWithExe(choice.sExeName)) {
    Stop("Unable to find the FTP Client program,please re-config it!");
    SetFocusTo("txtLocation");
    return;
  }
  choice.sDefaultDir = Text("txtWSDir");
  if (choice.sDefaultDir.empty()) {
    Stop("Please select a default download directory first.");
    SetFocusTo("cmdWSDirBrowse");
    return;
  }

  choice.iClientType = ListIndex("cmbPrgType");
  choice.bUseDownManager = Checked("chkDownFile");
  choice.bOpenMini = Checked("chkMini");
  choice.sVersion = VersionText(APP_VERSION_MAJOR, APP_VERSION_MINOR, APP_VERSION_REVISION);
  choice.iOnFinish = ListIndex("cmbFFClose") < 0 ? 0 : ListIndex("cmbFFClose");
  choice.bOpenTray = Checked("optFFTray");
  choice.bAutoRename = Checked("chkCURename");
  choice.sRetry = Text("txtCURetry");
  choice.bWsQuiet = Checked("chkWSQuiet");
  choice.bLeapQuit = Checked("chkLeapQuit");
  choice.bVoyagerQuit = Checked("chkVoyagerQuit");
  choice.bBulletQuit = Checked("chkBulletQuit");
  ApplyProfileWrites(sPath, ClientModeWrites(choice));
  zarvo::EndProcess();
}

void frmConfig::cmdCancel_Click(Event&) { zarvo::EndProcess(); }

void frmConfig::lblEMail_Click(Event&) {
  const std::string sLink = std::string("mailto:") + kContactAddress;
  ShellExecuteA(Hwnd(), "OPEN", sLink.c_str(), nullptr, GetDataPaths().programDir.c_str(), 0);
}

void frmConfig::txtCURetry_KeyPress(Event& e) {
  if ((e.keyAscii < '0' || e.keyAscii > '9') && e.keyAscii != VK_BACK) e.keyAscii = 0;
}

void frmConfig::txtCURetry_Change(Event&) {
  if (zarvo::NumericValue(Text("txtCURetry")) > 999) {
    SetText("txtCURetry", "999");
    if (HWND h = Control("txtCURetry")) SendMessageA(h, EM_SETSEL, 3, 3);
  }
}

}  // namespace marlock
