#include "launcher/login_form.h"

#include <iterator>

#include "launcher/res/login_picture.h"
#include "process.h"

namespace marlock {

using zarvo::forms::ControlSpec;
using zarvo::forms::EventType;
using zarvo::forms::FormSpec;
using zarvo::forms::Kind;
namespace id = login_ids;

namespace {

// The text boxes of an anonymous login are greyed as well as disabled.
constexpr COLORREF kAnonymousGrey = RGB(224, 224, 224);
constexpr int kPictureSize = 32;  // pixels

// The picture is raw icon data (a one-image icon file); made into an icon
// here. No picture (a build without the resource) leaves the place empty.
HICON LoadLoginPicture() {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(IDR_LOGIN_PICTURE),
                            MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (!res) return nullptr;
  HGLOBAL data = LoadResource(module, res);
  const auto* bytes = data ? static_cast<const BYTE*>(LockResource(data)) : nullptr;
  const DWORD dwSize = SizeofResource(module, res);
  // ICONDIR (6 bytes) and one ICONDIRENTRY (16): the image's size at 8 and
  // its offset at 12 of the entry.
  if (!bytes || dwSize < 22) return nullptr;
  DWORD dwImageSize, dwOffset;
  memcpy(&dwImageSize, bytes + 6 + 8, 4);
  memcpy(&dwOffset, bytes + 6 + 12, 4);
  if (dwOffset > dwSize || dwImageSize > dwSize - dwOffset) return nullptr;
  return CreateIconFromResourceEx(const_cast<BYTE*>(bytes + dwOffset), dwImageSize, TRUE,
                                  0x00030000, kPictureSize, kPictureSize, LR_DEFAULTCOLOR);
}

}  // namespace

// Tab order as listed. The remember box starts clear: a password goes into
// the site file only when the user asks for it each time.
const ControlSpec frmLoginFTP::kControls[] = {
    {"lblUser", id::lblUser, Kind::Label, "&Username:", 840, 280, 1095, 255},
    {"txtUser", id::txtUser, Kind::TextBox, "", 1800, 240, 2295, 315},
    {"lblPass", id::lblPass, Kind::Label, "&Password:", 840, 720, 1095, 255},
    {"txtPass", id::txtPass, Kind::TextBox, "", 1800, 700, 2295, 315, nullptr,
     zarvo::forms::kPassword},
    {"cmdOK", id::cmdOK, Kind::Button, "OK", 480, 1680, 1215, 375, nullptr,
     zarvo::forms::kDefault},
    {"cmdCancel", id::cmdCancel, Kind::Button, "Cancel", 2520, 1680, 1215, 375, nullptr,
     zarvo::forms::kCancel},
    {"chkNoUser", id::chkNoUser, Kind::CheckBox, "&Anonymous login", 360, 1100, 3735, 255},
    {"chkSave", id::chkSave, Kind::CheckBox, "&Remember it and don't disturb me again.", 360, 1380,
     3735, 210},
    {"picLogin", id::picLogin, Kind::Picture, nullptr, 240, 360, 480, 480, nullptr,
     zarvo::forms::kNoTabStop},
};

const FormSpec frmLoginFTP::kSpec = {"Login into FTP Site", 4260, 2145, "Tahoma", 825};

const frmLoginFTP::Handler frmLoginFTP::kHandlers[] = {
    {"chkNoUser", EventType::Click, &frmLoginFTP::chkNoUser_Click},
    {"cmdOK", EventType::Click, &frmLoginFTP::cmdOK_Click},
    {"cmdCancel", EventType::Click, &frmLoginFTP::cmdCancel_Click},
    {"picLogin", EventType::Paint, &frmLoginFTP::picLogin_Paint},
};

frmLoginFTP::frmLoginFTP()
    : FormOf(kSpec, kControls, std::size(kControls), kHandlers, std::size(kHandlers)),
      picture_(LoadLoginPicture()) {}

frmLoginFTP::~frmLoginFTP() {
  if (picture_) DestroyIcon(picture_);
}

void frmLoginFTP::chkNoUser_Click(Event&) {
  // What was typed stays in the boxes, for when the box is cleared again.
  const bool bAnonymous = Checked("chkNoUser");
  const COLORREF back = bAnonymous ? kAnonymousGrey : zarvo::forms::kDefaultColor;
  for (const char* sBox : {"txtUser", "txtPass"}) {
    SetBackColor(sBox, back);
    Enable(sBox, !bAnonymous);
  }
  Enable("chkSave", !bAnonymous);
}

void frmLoginFTP::cmdOK_Click(Event&) {
  if (Checked("chkNoUser")) {
    answer_ = LoginAnswer{};
    answer_.outcome = LoginAnswer::Outcome::Anonymous;
    Unload();
    return;
  }
  // The dialog stays as it is, focus included, after either message.
  const std::string sUser = Text("txtUser");
  if (sUser.empty()) {
    zarvo::ShowMessage("Please enter your username!", "Marlock", MB_ICONHAND | MB_OK);
    return;
  }
  const std::string sPass = Text("txtPass");
  if (sPass.empty()) {
    zarvo::ShowMessage("Please enter your password!", "Marlock", MB_ICONHAND | MB_OK);
    return;
  }
  answer_.outcome = LoginAnswer::Outcome::Entered;
  answer_.userName = sUser;
  answer_.password = sPass;
  answer_.remember = Checked("chkSave");
  Unload();
}

void frmLoginFTP::cmdCancel_Click(Event&) {
  answer_ = LoginAnswer{};
  answer_.outcome = LoginAnswer::Outcome::Cancelled;
  Unload();
}

void frmLoginFTP::picLogin_Paint(Event& e) {
  FillRect(e.hdc, &e.rect, GetSysColorBrush(COLOR_BTNFACE));
  if (!picture_) return;
  DrawIconEx(e.hdc, e.rect.left, e.rect.top, picture_, e.rect.right - e.rect.left,
             e.rect.bottom - e.rect.top, 0, nullptr, DI_NORMAL);
}

}  // namespace marlock
