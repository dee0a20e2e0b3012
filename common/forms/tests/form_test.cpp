// The form runtime, driven in-process: creation from the table, scaling,
// event routing, modal runs, Enter and Esc.
#include "form.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace zarvo::forms;

const ControlSpec kControls[] = {
    {"fmeMain", 10, Kind::Frame, "Main:", 120, 120, 3000, 1500},
    {"lblName", 11, Kind::Label, "&Name:", 120, 300, 900, 255, "fmeMain"},
    {"txtPort", 12, Kind::TextBox, "21", 1080, 280, 1200, 285, "fmeMain"},
    {"chkQuiet", 13, Kind::CheckBox, "&Quiet", 120, 700, 2000, 255, "fmeMain"},
    {"cmbKind", 14, Kind::ComboList, nullptr, 120, 1000, 2000, 315, "fmeMain"},
    {"cmdOK", 1, Kind::Button, "OK", 120, 1800, 1335, 375, nullptr, kDefault},
    {"cmdCancel", 2, Kind::Button, "Cancel", 1680, 1800, 1335, 375, nullptr, kCancel},
    {"lblVer", 15, Kind::Label, u8"Version:1.2.3 \u03b2", 120, 2300, 2500, 255, nullptr, kWideText},
};

const FormSpec kSpec = {"Form Runtime Test", 3300, 2700, "Tahoma", 825};

class frmSample : public FormOf<frmSample> {
 public:
  frmSample();

  std::vector<std::string> log;
  std::vector<MSG> inject;  // posted one per timer tick while modal
  bool keepOpen = false;

  void Form_Load(Event&) {
    log.push_back("Load");
    AddItem("cmbKind", "one");
    AddItem("cmbKind", "two");
    if (!inject.empty()) StartTimer(7, 50);
  }
  void Form_Unload(Event& e) {
    log.push_back("Unload");
    e.cancel = keepOpen;
  }
  void cmdOK_Click(Event&) {
    log.push_back("cmdOK_Click");
    Unload();
  }
  void cmdCancel_Click(Event&) {
    log.push_back("cmdCancel_Click");
    Unload();
  }
  void chkQuiet_Click(Event&) { log.push_back(Checked("chkQuiet") ? "chkQuiet on" : "chkQuiet off"); }
  void cmbKind_Click(Event&) { log.push_back("cmbKind " + std::to_string(ListIndex("cmbKind"))); }
  void txtPort_Change(Event&) { log.push_back("txtPort " + Text("txtPort")); }
  void txtPort_KeyPress(Event& e) {
    if ((e.keyAscii < '0' || e.keyAscii > '9') && e.keyAscii != 8) e.keyAscii = 0;
  }
  void Timer_Tick(Event&) {
    if (inject.empty()) return;
    MSG m = inject.front();
    inject.erase(inject.begin());
    if (!m.hwnd) m.hwnd = GetFocus();
    PostMessageA(m.hwnd, m.message, m.wParam, m.lParam);
  }

  static const Handler kHandlers[];
};

const frmSample::Handler frmSample::kHandlers[] = {
    {"Form", EventType::Load, &frmSample::Form_Load},
    {"Form", EventType::Unload, &frmSample::Form_Unload},
    {"cmdOK", EventType::Click, &frmSample::cmdOK_Click},
    {"cmdCancel", EventType::Click, &frmSample::cmdCancel_Click},
    {"chkQuiet", EventType::Click, &frmSample::chkQuiet_Click},
    {"cmbKind", EventType::Click, &frmSample::cmbKind_Click},
    {"txtPort", EventType::Change, &frmSample::txtPort_Change},
    {"txtPort", EventType::KeyPress, &frmSample::txtPort_KeyPress},
    {nullptr, EventType::Timer, &frmSample::Timer_Tick, 7},
};

frmSample::frmSample()
    : FormOf(kSpec, kControls, std::size(kControls), kHandlers, std::size(kHandlers)) {}

TEST(FormRuntime, CreatesTableAtScaledPlaces) {
  frmSample form;
  form.Load();
  ASSERT_TRUE(form.Loaded());
  EXPECT_EQ(form.log, std::vector<std::string>{"Load"});
  const int onePixel = Form::PixelsToTwipsX(1) + 1;
  for (const ControlSpec& c : kControls) {
    HWND h = form.Control(c.name);
    ASSERT_NE(h, nullptr) << c.name;
    EXPECT_EQ(GetDlgCtrlID(h), c.id) << c.name;
    RECT r = ControlRectTwips(form, c.name);
    EXPECT_NEAR(r.left, c.left, onePixel) << c.name;
    EXPECT_NEAR(r.top, c.top, onePixel) << c.name;
    EXPECT_NEAR(r.right - r.left, c.width, onePixel) << c.name;
    if (c.kind != Kind::ComboList) {
      EXPECT_NEAR(r.bottom - r.top, c.height, onePixel) << c.name;
    }
    HWND expectedParent = c.container ? form.Control(c.container) : form.Hwnd();
    EXPECT_EQ(GetParent(h), expectedParent) << c.name;
  }
  RECT client;
  GetClientRect(form.Hwnd(), &client);
  EXPECT_EQ(client.right, Form::TwipsToPixelsX(3300));
  EXPECT_EQ(client.bottom, Form::TwipsToPixelsY(2700));
  char caption[64] = {};
  GetWindowTextA(form.Hwnd(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Form Runtime Test");
  EXPECT_EQ(form.Text("cmdOK"), "OK");
  wchar_t wide[64] = {};
  GetWindowTextW(form.Control("lblVer"), wide, 64);
  EXPECT_STREQ(wide, L"Version:1.2.3 \u03b2");
}

TEST(FormRuntime, ChangesByCodeRunTheirHandlers) {
  frmSample form;
  form.Load();
  form.log.clear();
  form.SetChecked("chkQuiet", true);
  form.SetChecked("chkQuiet", true);  // no change, no event
  form.SetChecked("chkQuiet", false);
  form.SetListIndex("cmbKind", 1);
  form.SetText("txtPort", "2121");
  EXPECT_EQ(form.log, (std::vector<std::string>{"chkQuiet on", "chkQuiet off", "cmbKind 1",
                                                "txtPort 2121"}));
  EXPECT_EQ(form.ItemCount("cmbKind"), 2);
  EXPECT_EQ(form.Item("cmbKind", 1), "two");
}

TEST(FormRuntime, KeyPressCanDropCharacters) {
  frmSample form;
  form.Load();
  form.SetText("txtPort", "");
  HWND edit = form.Control("txtPort");
  for (char ch : std::string("2a1-2\b1")) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(ch), 0);
  EXPECT_EQ(form.Text("txtPort"), "211");
}

MSG Key(UINT vk) {
  MSG m = {};
  m.message = WM_KEYDOWN;
  m.wParam = vk;
  return m;
}

TEST(FormRuntime, EnterPressesDefaultButton) {
  frmSample form;
  form.inject = {Key(VK_RETURN)};
  form.ShowModal();
  EXPECT_EQ(form.log.back(), "cmdOK_Click");
  EXPECT_FALSE(form.Loaded());
}

TEST(FormRuntime, EscPressesCancelAndCloseBoxAsksUnload) {
  {
    frmSample form;
    form.inject = {Key(VK_ESCAPE)};
    form.ShowModal();
    EXPECT_EQ(form.log.back(), "cmdCancel_Click");
  }
  {
    frmSample form;
    MSG close = {};
    form.Load();
    close.hwnd = form.Hwnd();
    close.message = WM_CLOSE;
    form.inject = {close};
    form.StartTimer(7, 50);
    form.ShowModal();
    EXPECT_EQ(form.log.back(), "Unload");
    EXPECT_FALSE(form.Loaded());
  }
}

HWND s_other;
int s_enabledDuring;

// A timer procedure has the system's calling convention, which a lambda
// does not have in the 32-bit build.
void CALLBACK ProbeOtherWindow(HWND, UINT, UINT_PTR id, DWORD) {
  s_enabledDuring = IsWindowEnabled(s_other) ? 1 : 0;
  KillTimer(nullptr, id);
}

TEST(FormRuntime, ModalRunDisablesOtherTopLevelWindows) {
  HWND other = CreateWindowA("STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                             nullptr, nullptr, nullptr);
  s_other = other;
  s_enabledDuring = -1;
  frmSample form;
  form.inject = {Key(VK_RETURN)};
  SetTimer(nullptr, 0, 10, ProbeOtherWindow);
  form.ShowModal();
  EXPECT_EQ(s_enabledDuring, 0);
  EXPECT_TRUE(IsWindowEnabled(other));
  DestroyWindow(other);
}

// A form with a pop-up menu and a tool tip, as a small desktop window has.
const ControlSpec kPopupControls[] = {
    {"lblShow", 20, Kind::Label, "12:00:00", 0, 0, 1500, 375, nullptr, kCentered,
     RGB(0, 0, 0), RGB(0, 255, 0), "Times New Roman", 1575},
};
const FormSpec kPopupSpec = {"Popup Test", 1590, 360, "Tahoma", 825,
                             WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW, false};

class frmPopup : public FormOf<frmPopup> {
 public:
  frmPopup();
  std::vector<int> chosen;
  void mnuAny_Click(Event& e) { chosen.push_back(e.id); }
  static const Handler kHandlers[];
};

const frmPopup::Handler frmPopup::kHandlers[] = {
    {nullptr, EventType::Menu, &frmPopup::mnuAny_Click, 301},
    {nullptr, EventType::Menu, &frmPopup::mnuAny_Click, 302},
};

frmPopup::frmPopup()
    : FormOf(kPopupSpec, kPopupControls, std::size(kPopupControls), kHandlers,
             std::size(kHandlers)) {}

LOGFONTA FontOf(HWND h) {
  LOGFONTA lf = {};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  return lf;
}

TEST(FormRuntime, FontNameChangesKeepSizeAndWeight) {
  frmPopup form;
  form.Load();
  HWND label = form.Control("lblShow");
  LOGFONTA before = FontOf(label);
  EXPECT_STREQ(before.lfFaceName, "Times New Roman");
  form.SetFontName("lblShow", "Comic Sans MS");
  LOGFONTA after = FontOf(label);
  EXPECT_STREQ(after.lfFaceName, "Comic Sans MS");
  EXPECT_EQ(after.lfHeight, before.lfHeight);
  EXPECT_EQ(after.lfWeight, before.lfWeight);
  form.SetFontName("lblShow", "Tahoma");  // the old font is let go, the new one used
  EXPECT_STREQ(FontOf(label).lfFaceName, "Tahoma");
}

TEST(FormRuntime, ToolTipOfAControlCanBeReplaced) {
  frmPopup form;
  form.Load();
  EXPECT_EQ(form.ToolTip("lblShow"), "");
  form.SetToolTip("lblShow", "1/2/2024");
  EXPECT_EQ(form.ToolTip("lblShow"), "1/2/2024");
  ASSERT_NE(form.ToolTipWindow(), nullptr);
  form.SetToolTip("lblShow", "1/3/2024");
  EXPECT_EQ(form.ToolTip("lblShow"), "1/3/2024");
  EXPECT_EQ(SendMessageA(form.ToolTipWindow(), TTM_GETTOOLCOUNT, 0, 0), 1);
  EXPECT_EQ(GetWindow(form.ToolTipWindow(), GW_OWNER), form.Hwnd());
  form.Unload();
  EXPECT_EQ(form.ToolTipWindow(), nullptr);
}

TEST(FormRuntime, ToolTipShowsOnHoverAndGoesOnLeaveOrClick) {
  frmPopup form;
  form.Show();
  form.SetToolTip("lblShow", "1/2/2024");
  HWND label = form.Control("lblShow");
  HWND tip = form.ToolTipWindow();
  EXPECT_FALSE(IsWindowVisible(tip));
  SendMessageA(label, WM_MOUSEHOVER, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(IsWindowVisible(tip)) << "shown while the mouse rests on the control";
  SendMessageA(label, WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(tip)) << "gone when the mouse leaves";
  SendMessageA(label, WM_MOUSEHOVER, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(IsWindowVisible(tip));
  SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(IsWindowVisible(tip)) << "gone on a click";
}

TEST(FormRuntime, PopupMenuChoiceArrivesAsMenuEvent) {
  frmPopup form;
  form.Show();
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, 301, "&First");
  AppendMenuA(menu, MF_STRING, 302, "&Second");
  // The menu's own loop reads these keys: down to the first item, down to
  // the second, Enter.
  for (WPARAM vk : {VK_DOWN, VK_DOWN, VK_RETURN}) PostMessageA(form.Hwnd(), WM_KEYDOWN, vk, 0);
  form.ShowPopupMenu(menu);
  MSG msg;
  for (int i = 0; i < 20 && form.chosen.empty(); ++i) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
  EXPECT_EQ(form.chosen, std::vector<int>{302});
  DestroyMenu(menu);
}

}  // namespace

namespace {

// Position of a child in its parent's Z order (0: topmost).
int ZPosition(HWND child) {
  int i = 0;
  for (HWND h = GetWindow(GetParent(child), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT), ++i) {
    if (h == child) return i;
  }
  return -1;
}

TEST(FormRuntime, LabelsLieBeneathControlsAndAboveFrameBorder) {
  frmSample form;
  form.Load();
  HWND label = form.Control("lblName");
  HWND border = GetDlgItem(form.Control("fmeMain"), -1);
  EXPECT_LT(ZPosition(form.Control("txtPort")), ZPosition(label));
  EXPECT_LT(ZPosition(form.Control("cmbKind")), ZPosition(label));
  EXPECT_LT(ZPosition(label), ZPosition(border)) << "the frame's border stays lowest";
}

// ---- access keys of labels

const ControlSpec kKeyControls[] = {
    {"lblUser", 21, Kind::Label, "&User:", 120, 120, 900, 255},
    {"txtUser", 22, Kind::TextBox, "anna", 1080, 120, 1500, 285},
    {"lblPass", 23, Kind::Label, "Fish && &Chips:", 120, 520, 900, 255},
    {"txtPass", 24, Kind::TextBox, "", 1080, 520, 1500, 285},
    {"cmdOK", 1, Kind::Button, "OK", 120, 1000, 1335, 375, nullptr, kDefault},
};

// Runs one step per timer tick and notes which control has the focus
// before each.
class frmKeys : public FormOf<frmKeys> {
 public:
  frmKeys();
  std::vector<std::function<void(frmKeys&)>> steps;
  std::vector<int> focus;
  void Form_Load(Event&) { StartTimer(3, 50); }
  void Timer_Tick(Event&) {
    focus.push_back(GetFocus() ? GetDlgCtrlID(GetFocus()) : 0);
    if (focus.size() > steps.size()) return Unload();
    steps[focus.size() - 1](*this);
  }
  static const FormSpec kKeySpec;
  static const Handler kKeyHandlers[];
};

const FormSpec frmKeys::kKeySpec = {"Access Keys", 2800, 1500, "Tahoma", 825};
const frmKeys::Handler frmKeys::kKeyHandlers[] = {
    {"Form", EventType::Load, &frmKeys::Form_Load},
    {nullptr, EventType::Timer, &frmKeys::Timer_Tick, 3},
};

frmKeys::frmKeys()
    : FormOf(kKeySpec, kKeyControls, std::size(kKeyControls), kKeyHandlers,
             std::size(kKeyHandlers)) {}

std::function<void(frmKeys&)> PostToFocus(UINT msg, char ch) {
  return [msg, ch](frmKeys&) { PostMessageA(GetFocus(), msg, static_cast<unsigned char>(ch), 0); };
}
std::function<void(frmKeys&)> FocusOn(const char* sName) {
  return [sName](frmKeys& f) { f.SetFocusTo(sName); };
}

TEST(FormRuntime, LabelAccessKeyFocusesTheNextControl) {
  frmKeys form;
  form.steps = {FocusOn("cmdOK"),
                PostToFocus(WM_SYSCHAR, 'c'),  // Alt+C: the password box
                PostToFocus(WM_CHAR, 'u'),     // typed into it, no move
                PostToFocus(WM_SYSCHAR, 'U'),  // Alt+U: the user box
                PostToFocus(WM_SYSCHAR, 'f'),  // "&&" is no access key
                FocusOn("cmdOK"),
                PostToFocus(WM_CHAR, 'c')};    // without Alt where no typing is taken
  std::string typed;
  form.steps.push_back([&typed](frmKeys& f) { typed = f.Text("txtPass"); });
  form.ShowModal();
  EXPECT_EQ(form.focus, (std::vector<int>{22, 1, 24, 24, 22, 22, 1, 24, 24}));
  EXPECT_EQ(typed, "u") << "a typed letter stays a letter in a text box";
  EXPECT_EQ(form.Loaded(), false);
}

}  // namespace
