#include "frm_main.h"

#include <utility>
#include <vector>

#include "clock_settings.h"
#include "numvalue.h"
#include "placement.h"
#include "process.h"
#include "profile.h"

namespace tibbet {

using zarvo::forms::EventType;
using zarvo::forms::Form;
using zarvo::forms::Kind;

const zarvo::forms::FormSpec frmMain::kSpec = {
    kClockCaption, 1590, 360, "Tahoma", 825,
    // A fixed-size tool window: small title bar with its close box, no
    // minimise or maximise button; moved by its title bar.
    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW,
    /*centered=*/false};

const zarvo::forms::ControlSpec frmMain::kControls[] = {
    {"lblClock", kLblClock, Kind::Label, "00:00:00", 0, 0, 1575, 375, nullptr,
     zarvo::forms::kCentered | zarvo::forms::kNoTabStop, RGB(0, 0, 0), RGB(0, 255, 0),
     "Times New Roman", 1575},
};

const frmMain::Handler frmMain::kHandlers[] = {
    {"Form", EventType::Load, &frmMain::Form_Load},
    {"Form", EventType::Unload, &frmMain::Form_Unload},
    {nullptr, EventType::Timer, &frmMain::Counter_Timer, kCounter},
    {"lblClock", EventType::MouseDown, &frmMain::lblClock_MouseDown},
    {nullptr, EventType::Menu, &frmMain::mnuOntop_Click, kMnuOnTop},
    {nullptr, EventType::Menu, &frmMain::mnuClose_Click, kMnuClose},
};

frmMain::frmMain(std::string sClockIni)
    : FormOf(kSpec, kControls, std::size(kControls), kHandlers, std::size(kHandlers)),
      clockIni_(std::move(sClockIni)) {
  mnuMain_ = CreatePopupMenu();
  AppendMenuA(mnuMain_, MF_STRING, kMnuOnTop, "&Always on top");
  AppendMenuA(mnuMain_, MF_STRING, kMnuClose, "&Close");
}

frmMain::~frmMain() {
  if (mnuMain_) DestroyMenu(mnuMain_);
}

namespace {

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM lp) {
  MONITORINFO mi = {};
  mi.cbSize = sizeof mi;
  if (GetMonitorInfoA(monitor, &mi)) {
    auto* areas = reinterpret_cast<std::vector<Box>*>(lp);
    areas->push_back({mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom});
  }
  return TRUE;
}

std::vector<Box> WorkAreas() {
  std::vector<Box> areas;
  EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
  return areas;
}

}  // namespace

std::string CurrentTimeText() {
  char text[128] = {};
  GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, sizeof text);
  return text;
}

std::string CurrentDateText() {
  char text[128] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, sizeof text);
  return text;
}

bool frmMain::OnTopChecked() const {
  return (GetMenuState(mnuMain_, kMnuOnTop, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void frmMain::MoveToTwips(int iLeft, int iTop) {
  SetWindowPos(Hwnd(), nullptr, Form::TwipsToPixelsX(iLeft), Form::TwipsToPixelsY(iTop), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmMain::SetOnTop(bool bOnTop) {
  CheckMenuItem(mnuMain_, kMnuOnTop, MF_BYCOMMAND | (bOnTop ? MF_CHECKED : MF_UNCHECKED));
  SetWindowPos(Hwnd(), bOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void frmMain::Form_Load(Event&) {
  shownTime_ = CurrentTimeText();
  SetText("lblClock", shownTime_);

  const char* font =
      ClockFontName(zarvo::ReadProfileNumber(clockIni_, kSection, kKeyFont, "0"));
  if (font) SetFontName("lblClock", font);

  if (zarvo::ReadProfileFlag(clockIni_, kSection, kKeySavePos, "0")) {
    const int top = zarvo::WholeNumber(zarvo::ReadProfileNumber(clockIni_, kSection, kKeyTop, "0"));
    const int left =
        zarvo::WholeNumber(zarvo::ReadProfileNumber(clockIni_, kSection, kKeyLeft, "10245"));
    MoveToTwips(left, top);
  } else {
    MoveToTwips(kDesignLeftTwips, kDesignTopTwips);
  }
  // A place remembered on a monitor that has gone would leave the clock
  // where nobody can reach it.
  RECT r;
  GetWindowRect(Hwnd(), &r);
  const Box now = {r.left, r.top, r.right, r.bottom};
  const Box reachable = KeepReachable(now, WorkAreas());
  if (!(reachable == now)) {
    SetWindowPos(Hwnd(), nullptr, reachable.left, reachable.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  if (zarvo::ReadProfileFlag(clockIni_, kSection, kKeyOnTop, "1")) SetOnTop(true);

  StartTimer(kCounter, 1000);
}

void frmMain::Counter_Timer(Event&) {
  // One wake-up a second; the label and the tip are touched only when their
  // text changes.
  std::string time = CurrentTimeText();
  if (time != shownTime_) {
    shownTime_ = std::move(time);
    SetText("lblClock", shownTime_);
  }
  std::string date = CurrentDateText();
  if (date != shownDate_) {
    shownDate_ = std::move(date);
    SetToolTip("lblClock", shownDate_);
  }
}

void frmMain::lblClock_MouseDown(Event& e) {
  if (e.button == 2) ShowPopupMenu(mnuMain_);
}

void frmMain::mnuOntop_Click(Event&) { SetOnTop(!OnTopChecked()); }

void frmMain::mnuClose_Click(Event&) {
  // Ends at once: the place is not saved.
  zarvo::EndProcess();
}

void frmMain::SavePosition() {
  if (!Hwnd() || !zarvo::ReadProfileFlag(clockIni_, kSection, kKeySavePos, "0")) return;
  RECT r;
  GetWindowRect(Hwnd(), &r);
  zarvo::WriteProfileText(clockIni_, kSection, kKeyTop,
                          std::to_string(Form::PixelsToTwipsY(r.top)));
  zarvo::WriteProfileText(clockIni_, kSection, kKeyLeft,
                          std::to_string(Form::PixelsToTwipsX(r.left)));
}

void frmMain::Form_Unload(Event&) { SavePosition(); }

bool frmMain::OnMessage(UINT msg, WPARAM wp, LPARAM, LRESULT*) {
  // Windows ends the session without closing the clock: keep its place as
  // a close command would.
  if (msg == WM_ENDSESSION && wp) SavePosition();
  return false;
}

}  // namespace tibbet
