#include "frm_config.h"

#include <shellapi.h>

#include <utility>

#include "Tibbet_version.h"
#include "clock_settings.h"
#include "numvalue.h"
#include "process.h"
#include "profile.h"

namespace tibbet {

using zarvo::forms::EventType;
using zarvo::forms::Kind;
using zarvo::forms::kCancel;
using zarvo::forms::kCentered;
using zarvo::forms::kDefault;
using zarvo::forms::kWideText;

const zarvo::forms::FormSpec frmConfig::kSpec = {kSetupCaption, 4680, 3120, "Tahoma", 825};

const zarvo::forms::ControlSpec frmConfig::kControls[] = {
    {"fmeOptions", kFmeOptions, Kind::Frame, "Clock Options:", 120, 120, 4455, 1935},
    {"lblFontName", kLblFontName, Kind::Label, "Display Font:", 240, 360, 975, 255, "fmeOptions"},
    {"cmbFont", kCmbFont, Kind::ComboList, nullptr, 1320, 310, 2895, 315, "fmeOptions"},
    {"chkClose", kChkClose, Kind::CheckBox, "&Close me when close Zarvo.", 480, 840, 3375, 255,
     "fmeOptions"},
    {"chkSavePos", kChkSavePos, Kind::CheckBox, "&Remember last postion.", 480, 1200, 3255, 255,
     "fmeOptions"},
    {"chkOnTop", kChkOnTop, Kind::CheckBox, "&Start with stay on top.", 480, 1560, 3375, 255,
     "fmeOptions"},
    {"lblNote", kLblNote, Kind::Label, "Note: Font will change next time the plugin starts.", 240,
     2160, 4215, 255},
    {"cmdOK", kCmdOK, Kind::Button, "OK", 480, 2520, 1335, 375, nullptr, kDefault,
     zarvo::forms::kDefaultColor, zarvo::forms::kDefaultColor, "Tahoma", 900},
    {"cmdCancel", kCmdCancel, Kind::Button, "Cancel", 2640, 2520, 1335, 375, nullptr, kCancel,
     zarvo::forms::kDefaultColor, zarvo::forms::kDefaultColor, "Tahoma", 900},
    {"lblEMail", kLblEMail, Kind::Label, kContactAddress, 240, 2880, 1935, 255, nullptr, 0,
     zarvo::forms::kDefaultColor, RGB(0, 0, 255)},
    {"lblVer", kLblVer, Kind::Label, "Version:", 2400, 2880, 2535, 255, nullptr,
     kCentered | kWideText},
};

const size_t frmConfig::kControlCount = std::size(kControls);

const frmConfig::Handler frmConfig::kHandlers[] = {
    {"Form", EventType::Load, &frmConfig::Form_Load},
    {"Form", EventType::Unload, &frmConfig::Form_Unload},
    {"cmdOK", EventType::Click, &frmConfig::cmdOK_Click},
    {"cmdCancel", EventType::Click, &frmConfig::cmdCancel_Click},
    {"lblEMail", EventType::Click, &frmConfig::lblEMail_Click},
};

frmConfig::frmConfig(std::string sClockIni, std::string sPluginIni)
    : FormOf(kSpec, kControls, std::size(kControls), kHandlers, std::size(kHandlers)),
      clockIni_(std::move(sClockIni)),
      pluginIni_(std::move(sPluginIni)) {}

std::wstring VersionLabelText() {
  return L"Version:" + std::to_wstring(APP_VERSION_MAJOR) + L"." +
         std::to_wstring(APP_VERSION_MINOR) + L"." + std::to_wstring(APP_VERSION_REVISION) +
         L" \u03b1";
}

void frmConfig::Form_Load(Event&) {
  SetWideText("lblVer", VersionLabelText().c_str());
  for (const char* name : kClockFonts) AddItem("cmbFont", name);
  // A Font value that is not one of the five indexes selects nothing.
  const int font = zarvo::WholeNumber(zarvo::ReadProfileNumber(clockIni_, kSection, kKeyFont, "0"));
  if (font >= 0 && font < static_cast<int>(kClockFontCount)) SetListIndex("cmbFont", font);
  // Flags: only the value 1 sets the box.
  SetChecked("chkSavePos", zarvo::ReadProfileFlag(clockIni_, kSection, kKeySavePos, "1"));
  SetChecked("chkOnTop", zarvo::ReadProfileFlag(clockIni_, kSection, kKeyOnTop, "1"));
  SetChecked("chkClose", zarvo::ReadProfileFlag(pluginIni_, kSection, kKeyCloseWithZarvo, "1"));
}

void frmConfig::cmdOK_Click(Event&) {
  zarvo::WriteProfileText(clockIni_, kSection, kKeyFont, std::to_string(ListIndex("cmbFont")));
  zarvo::WriteProfileText(clockIni_, kSection, kKeySavePos, zarvo::FlagText(Checked("chkSavePos")));
  zarvo::WriteProfileText(clockIni_, kSection, kKeyOnTop, zarvo::FlagText(Checked("chkOnTop")));
  zarvo::WriteProfileText(pluginIni_, kSection, kKeyCloseWithZarvo,
                          zarvo::FlagText(Checked("chkClose")));
  zarvo::EndProcess();
}

void frmConfig::cmdCancel_Click(Event&) { zarvo::EndProcess(); }

// The close box writes nothing either, and the dialog's process ends with it.
void frmConfig::Form_Unload(Event&) { zarvo::EndProcess(); }

void frmConfig::lblEMail_Click(Event&) {
  const std::string address = std::string("mailto:") + kContactAddress;
  ShellExecuteA(Hwnd(), "OPEN", address.c_str(), nullptr, zarvo::ProgramDirectory().c_str(), 0);
}

}  // namespace tibbet
