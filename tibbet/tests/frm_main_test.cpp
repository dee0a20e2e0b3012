// The clock window driven in-process, with a Clock.ini of the test's own:
// its layout against the design, what each setting does at start, the tick,
// the pop-up, and what closing writes.
#include "frm_main.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "process.h"
#include "testkit.h"

namespace {

using tibbet::frmMain;
using zarvo::forms::ControlRectTwips;
using zarvo::forms::Event;
using zarvo::forms::EventType;
using zarvo::forms::Form;

struct Ended {};

class ClockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testkit::NewScratchDir("clockform");
    ini_ = dir_ + "\\Clock.ini";
    zarvo::SetEndProcessHook([] { throw Ended{}; });
  }
  void TearDown() override { zarvo::SetEndProcessHook(nullptr); }
  void WriteIni(const std::string& sText) { testkit::WriteFileBytes(ini_, sText); }
  std::string IniText() const {
    return testkit::PathExists(ini_) ? testkit::ReadFileBytes(ini_) : std::string("(none)");
  }
  static int Twips(int iPixels) { return Form::PixelsToTwipsX(iPixels); }
  static RECT PlaceTwips(const frmMain& form) {
    RECT r;
    GetWindowRect(form.Hwnd(), &r);
    return {Twips(r.left), Form::PixelsToTwipsY(r.top), Twips(r.right),
            Form::PixelsToTwipsY(r.bottom)};
  }
  static bool Topmost(const frmMain& form) {
    return (GetWindowLongA(form.Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  }
  static LOGFONTA LabelFont(const frmMain& form) {
    LOGFONTA lf = {};
    HFONT f = reinterpret_cast<HFONT>(SendMessageA(form.Control("lblClock"), WM_GETFONT, 0, 0));
    GetObjectA(f, sizeof lf, &lf);
    return lf;
  }
  std::string dir_, ini_;
};

TEST_F(ClockTest, WindowAndLabelFollowTheDesign) {
  frmMain form(ini_);
  form.Load();
  ASSERT_TRUE(form.Loaded());
  char caption[64] = {};
  GetWindowTextA(form.Hwnd(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Zarvo Clock");

  const LONG style = GetWindowLongA(form.Hwnd(), GWL_STYLE);
  const LONG exStyle = GetWindowLongA(form.Hwnd(), GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW) << "small title bar";
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU) << "close box";
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) << "fixed size";

  RECT client;
  GetClientRect(form.Hwnd(), &client);
  EXPECT_EQ(client.right, Form::TwipsToPixelsX(1590));
  EXPECT_EQ(client.bottom, Form::TwipsToPixelsY(360));

  const int onePixel = Twips(1);
  RECT label = ControlRectTwips(form, "lblClock");
  EXPECT_EQ(label.left, 0);
  EXPECT_EQ(label.top, 0);
  EXPECT_NEAR(label.right, 1575, onePixel);
  EXPECT_NEAR(label.bottom, 375, onePixel);
  EXPECT_TRUE(GetWindowLongA(form.Control("lblClock"), GWL_STYLE) & SS_CENTER);

  // The colours the label paints with.
  HDC dc = CreateCompatibleDC(nullptr);
  LRESULT brush = SendMessageA(form.Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(form.Control("lblClock")));
  EXPECT_NE(brush, 0);
  EXPECT_EQ(GetTextColor(dc), RGB(0, 255, 0));
  EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 0));
  LOGBRUSH lb = {};
  GetObjectA(reinterpret_cast<HBRUSH>(brush), sizeof lb, &lb);
  EXPECT_EQ(lb.lbColor, RGB(0, 0, 0));
  DeleteDC(dc);

  LOGFONTA lf = LabelFont(form);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(lf.lfHeight, -MulDiv(1575, GetDeviceCaps(screen, LOGPIXELSY), 7200)) << "15.75 points";
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(lf.lfWeight, FW_NORMAL);

  // The pop-up's items, in order.
  HMENU menu = form.MenuMain();
  ASSERT_EQ(GetMenuItemCount(menu), 2);
  char item[64] = {};
  GetMenuStringA(menu, 0, item, sizeof item, MF_BYPOSITION);
  EXPECT_STREQ(item, "&Always on top");
  EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(frmMain::kMnuOnTop));
  GetMenuStringA(menu, 1, item, sizeof item, MF_BYPOSITION);
  EXPECT_STREQ(item, "&Close");
  EXPECT_EQ(GetMenu(form.Hwnd()), nullptr) << "no menu bar";
}

struct FontCase {
  const char* name;
  const char* ini;
  const char* face;
};

void PrintTo(const FontCase& c, std::ostream* os) { *os << c.name; }

const FontCase kFontCases[] = {
    {"NoKeyIsTahoma", "", "Tahoma"},
    {"Zero", "Font=0", "Tahoma"},
    {"One", "Font=1", "Times New Roman"},
    {"Two", "Font=2", "MS Sans Serif"},
    {"Three", "Font=3", "Comic Sans MS"},
    {"Four", "Font=4", "System"},
    {"SevenKeepsTheDesignFont", "Font=7", "Times New Roman"},
    {"MinusOneKeepsTheDesignFont", "Font=-1", "Times New Roman"},
};

class ClockFontTest : public ClockTest, public ::testing::WithParamInterface<FontCase> {};

TEST_P(ClockFontTest, LabelFontFromSetting) {
  WriteIni(std::string("[General]\r\n") + GetParam().ini + "\r\n");
  frmMain form(ini_);
  form.Load();
  LOGFONTA lf = LabelFont(form);
  EXPECT_STREQ(lf.lfFaceName, GetParam().face);
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(lf.lfHeight, -MulDiv(1575, GetDeviceCaps(screen, LOGPIXELSY), 7200)) << "size stays";
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(lf.lfWeight, FW_NORMAL) << "weight stays";
}

INSTANTIATE_TEST_SUITE_P(Fonts, ClockFontTest, ::testing::ValuesIn(kFontCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct PlaceCase {
  const char* name;
  const char* ini;
  int left, top;  // twips; -1: on the screen's right edge
};

void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }

const PlaceCase kPlaceCases[] = {
    {"NoSavePosOpensAtTheDesignPlace", "Top=1500\r\nLeft=3000", 10245, 0},
    {"SavePosWithoutKeys", "SavePos=1", 10245, 0},
    {"SavePosRestores", "SavePos=1\r\nTop=1500\r\nLeft=3000", 3000, 1500},
    {"SavePosZeroDoesNotRestore", "SavePos=0\r\nTop=1500\r\nLeft=3000", 10245, 0},
    {"SavePosTwoIsNotSet", "SavePos=2\r\nTop=1500\r\nLeft=3000", 10245, 0},
    {"PartlyOffScreenIsKept", "SavePos=1\r\nTop=-150\r\nLeft=15000", 15000, -150},
    {"FarOffScreenComesBack", "SavePos=1\r\nTop=1500\r\nLeft=60000", -1, 1500},
};

class ClockPlaceTest : public ClockTest, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(ClockPlaceTest, OpensAt) {
  WriteIni(std::string("[General]\r\n") + GetParam().ini + "\r\n");
  frmMain form(ini_);
  form.Load();
  RECT place = PlaceTwips(form);
  EXPECT_EQ(place.top, GetParam().top);
  if (GetParam().left >= 0) {
    EXPECT_EQ(place.left, GetParam().left);
  } else {
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT r;
    GetWindowRect(form.Hwnd(), &r);
    EXPECT_EQ(r.right, work.right) << "moved just inside the right edge";
  }
}

INSTANTIATE_TEST_SUITE_P(Places, ClockPlaceTest, ::testing::ValuesIn(kPlaceCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ClockTest, OnTopFromSettingAndTheToggleChangesOnlyTheWindow) {
  struct {
    const char* ini;
    bool onTop;
  } cases[] = {{"", true}, {"OnTop=1", true}, {"OnTop=0", false}, {"OnTop=2", false}};
  for (const auto& c : cases) {
    const std::string text = std::string("[General]\r\n") + c.ini + "\r\n";
    WriteIni(text);
    frmMain form(ini_);
    form.Load();
    EXPECT_EQ(Topmost(form), c.onTop) << c.ini;
    EXPECT_EQ(form.OnTopChecked(), c.onTop) << c.ini;
    Event e{EventType::Menu, frmMain::kMnuOnTop};
    form.mnuOntop_Click(e);
    EXPECT_EQ(Topmost(form), !c.onTop) << c.ini;
    EXPECT_EQ(form.OnTopChecked(), !c.onTop) << c.ini;
    form.mnuOntop_Click(e);
    EXPECT_EQ(Topmost(form), c.onTop) << c.ini;
    EXPECT_EQ(IniText(), text) << "the toggle is not written";
  }
}

TEST_F(ClockTest, RightClickOpensThePopupAndItsFirstItemToggles) {
  frmMain form(ini_);
  form.Show();
  ASSERT_TRUE(Topmost(form));
  HWND label = form.Control("lblClock");
  // The menu's own loop reads these keys: down to the first item, Enter.
  for (WPARAM vk : {VK_DOWN, VK_RETURN}) PostMessageA(form.Hwnd(), WM_KEYDOWN, vk, 0);
  SendMessageA(label, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  MSG msg;
  for (int i = 0; i < 50 && Topmost(form); ++i) {
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
  EXPECT_FALSE(Topmost(form));
  EXPECT_FALSE(form.OnTopChecked());

  // The left button opens nothing (a menu would swallow this Esc).
  PostMessageA(form.Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
  SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_TRUE(PeekMessageA(&msg, form.Hwnd(), WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
}

// The time and date in the user's regional formats: hours, minutes and
// seconds; the short date.
std::string TimeNow() {
  char text[64] = {};
  GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, sizeof text);
  return text;
}

std::string DateNow() {
  char text[64] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, text, sizeof text);
  return text;
}

TEST_F(ClockTest, TickShowsTimeAndFromTheFirstTickTheDateAsTip) {
  frmMain form(ini_);
  form.Load();
  EXPECT_EQ(form.ToolTip("lblClock"), "") << "no tip before the first tick";
  EXPECT_NE(form.Text("lblClock"), "00:00:00") << "the time is shown from the start";
  Event tick{EventType::Timer, frmMain::kCounter};
  std::string expected, shown;
  for (int i = 0; i < 3; ++i) {  // the second may turn between the readings
    form.Counter_Timer(tick);
    shown = form.Text("lblClock");
    expected = TimeNow();
    if (shown == expected) break;
  }
  EXPECT_EQ(shown, expected);
  EXPECT_FALSE(DateNow().empty());
  EXPECT_EQ(form.ToolTip("lblClock"), DateNow());
}

TEST_F(ClockTest, CloseCommandSavesThePlaceWhenSavePosIsSet) {
  WriteIni("[General]\r\nSavePos=1\r\nTop=1500\r\nLeft=3000\r\n");
  frmMain form(ini_);
  form.Show();
  SetWindowPos(form.Hwnd(), nullptr, 200, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SendMessageA(form.Hwnd(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(form.Loaded());
  EXPECT_EQ(IniText(), "[General]\r\nSavePos=1\r\nTop=" + std::to_string(Form::PixelsToTwipsY(300)) +
                           "\r\nLeft=" + std::to_string(Twips(200)) + "\r\n");
}

TEST_F(ClockTest, CloseCommandWritesTopBeforeLeft) {
  WriteIni("[General]\r\nSavePos=1\r\n");
  frmMain form(ini_);
  form.Show();
  SendMessageA(form.Hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(IniText(), "[General]\r\nSavePos=1\r\nTop=0\r\nLeft=10245\r\n");
}

TEST_F(ClockTest, WithoutSavePosNothingIsWritten) {
  {
    frmMain form(ini_);
    form.Show();
    SendMessageA(form.Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(IniText(), "(none)");
  }
  WriteIni("[General]\r\nSavePos=0\r\n");
  frmMain form(ini_);
  form.Show();
  SendMessageA(form.Hwnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(IniText(), "[General]\r\nSavePos=0\r\n");
}

TEST_F(ClockTest, CloseItemEndsAtOnceWithoutSaving) {
  WriteIni("[General]\r\nSavePos=1\r\nTop=1500\r\nLeft=3000\r\n");
  frmMain form(ini_);
  form.Show();
  SetWindowPos(form.Hwnd(), nullptr, 200, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Event e{EventType::Menu, frmMain::kMnuClose};
  EXPECT_THROW(form.mnuClose_Click(e), Ended);
  EXPECT_EQ(IniText(), "[General]\r\nSavePos=1\r\nTop=1500\r\nLeft=3000\r\n");
}

TEST_F(ClockTest, EndOfSessionSavesThePlace) {
  WriteIni("[General]\r\nSavePos=1\r\n");
  frmMain form(ini_);
  form.Show();
  SetWindowPos(form.Hwnd(), nullptr, 100, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SendMessageA(form.Hwnd(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(IniText(), "[General]\r\nSavePos=1\r\nTop=" + std::to_string(Form::PixelsToTwipsY(50)) +
                           "\r\nLeft=" + std::to_string(Twips(100)) + "\r\n");
}

}  // namespace
