#include "sitestore/pass_edit_form.h"

#include <iterator>

#include "launcher/data_paths.h"
#include "numvalue.h"
#include "process.h"
#include "sitestore/ini_file_store.h"
#include "sitestore/site_file.h"

namespace marlock {

using zarvo::forms::ControlSpec;
using zarvo::forms::EventType;
using zarvo::forms::FormSpec;
using zarvo::forms::Kind;
namespace id = pass_edit_ids;

std::string sSiteSection;

namespace {
constexpr COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
constexpr const char* kFrame = "fmeFTP";
}  // namespace

// Tab order: host, port, user name, password, OK, Cancel.
const ControlSpec frmPassEdit::kControls[] = {
    {kFrame, id::fmeFTP, Kind::Frame, "FTP Site:", 120, 0, 3855, 1815},
    {"lblHost", id::lblHost, Kind::Label, "Host:", 600, 390, 495, 255, kFrame},
    {"txtHost", id::txtHost, Kind::TextBox, "", 1080, 360, 2655, 285, kFrame, 0, kWhite},
    {"lblPort", id::lblPort, Kind::Label, "Port:", 600, 750, 495, 255, kFrame},
    {"txtPort", id::txtPort, Kind::TextBox, "", 1080, 720, 2655, 285, kFrame, 0, kWhite},
    {"lblUser", id::lblUser, Kind::Label, "Username:", 210, 1130, 855, 255, kFrame},
    {"txtUser", id::txtUser, Kind::TextBox, "", 1080, 1080, 2655, 285, kFrame},
    {"lblPass", id::lblPass, Kind::Label, "Password:", 240, 1490, 855, 255, kFrame},
    {"txtPass", id::txtPass, Kind::TextBox, "", 1080, 1440, 2655, 285, kFrame,
     zarvo::forms::kPassword},
    {"cmdOK", id::cmdOK, Kind::Button, "OK", 480, 1920, 1335, 375, nullptr, zarvo::forms::kDefault},
    {"cmdExit", id::cmdExit, Kind::Button, "Cancel", 2280, 1920, 1335, 375, nullptr,
     zarvo::forms::kCancel},
};

const FormSpec frmPassEdit::kSpec = {"FTP Site Infomation", 4035, 2370, "Tahoma", 825};

const frmPassEdit::Handler frmPassEdit::kHandlers[] = {
    {"Form", EventType::Load, &frmPassEdit::Form_Load},
    {"txtPort", EventType::KeyPress, &frmPassEdit::txtPort_KeyPress},
    {"txtPort", EventType::LostFocus, &frmPassEdit::txtPort_LostFocus},
    {"cmdOK", EventType::Click, &frmPassEdit::cmdOK_Click},
    {"cmdExit", EventType::Click, &frmPassEdit::cmdExit_Click},
};

frmPassEdit::frmPassEdit()
    : FormOf(kSpec, kControls, std::size(kControls), kHandlers, std::size(kHandlers)) {}

void frmPassEdit::Form_Load(Event&) {
  if (Text("txtPort").empty()) SetText("txtPort", "21");
}

void frmPassEdit::txtPort_KeyPress(Event& e) {
  if ((e.keyAscii < '0' || e.keyAscii > '9') && e.keyAscii != VK_BACK) e.keyAscii = 0;
}

void frmPassEdit::txtPort_LostFocus(Event&) {
  if (!Loaded()) return;
  // Only a move to another control of the editor counts; switching to
  // another program is no leaving of the box.
  HWND focus = GetFocus();
  if (!focus || (focus != Hwnd() && !IsChild(Hwnd(), focus))) return;
  const double dPort = zarvo::NumericValue(Text("txtPort"));
  if (dPort >= 1 && dPort <= 65535) return;
  zarvo::ShowMessage("Please enter a correct port number(1-65535).", "Marlock",
                     MB_ICONHAND | MB_OK);
  if (!Loaded()) return;
  SetFocusTo("txtPort");
  SelectAllText("txtPort");
}

void frmPassEdit::cmdOK_Click(Event&) {
  const std::string sHost = Text("txtHost");
  const std::string sPort = Text("txtPort");
  if (sSiteSection.empty()) sSiteSection = SiteSection(sHost, sPort);
  IniFileStore sites(GetDataPaths().siteFile);
  SaveSiteInSection(sites, sSiteSection, sHost, sPort, Text("txtUser"), Text("txtPass"));
  Unload();
}

void frmPassEdit::cmdExit_Click(Event&) { Unload(); }

}  // namespace marlock
