// The settings dialog driven in-process: its layout against the design,
// what it shows for the stored settings, and what OK and Cancel write.
#include "frm_config.h"

#include <gtest/gtest.h>

#include "process.h"
#include "testkit.h"

namespace {

using tibbet::frmConfig;
using zarvo::forms::ControlRectTwips;
using zarvo::forms::ControlSpec;
using zarvo::forms::Event;
using zarvo::forms::EventType;
using zarvo::forms::Form;
using zarvo::forms::Kind;

struct Ended {};

class ConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testkit::NewScratchDir("configform");
    clockIni_ = dir_ + "\\Clock.ini";
    pluginIni_ = dir_ + "\\plugin.ini";
    zarvo::SetEndProcessHook([] { throw Ended{}; });
  }
  void TearDown() override { zarvo::SetEndProcessHook(nullptr); }
  static std::string TextOf(const std::string& sPath) {
    return testkit::PathExists(sPath) ? testkit::ReadFileBytes(sPath) : std::string("(none)");
  }
  std::string dir_, clockIni_, pluginIni_;
};

// The design, as a table of its own: name, container, left, top, width, height.
struct Placed {
  const char* name;
  const char* container;
  int left, top, width, height;
};

const Placed kDesign[] = {
    {"fmeOptions", nullptr, 120, 120, 4455, 1935},
    {"lblFontName", "fmeOptions", 240, 360, 975, 255},
    {"cmbFont", "fmeOptions", 1320, 310, 2895, 315},
    {"chkClose", "fmeOptions", 480, 840, 3375, 255},
    {"chkSavePos", "fmeOptions", 480, 1200, 3255, 255},
    {"chkOnTop", "fmeOptions", 480, 1560, 3375, 255},
    {"lblNote", nullptr, 240, 2160, 4215, 255},
    {"cmdOK", nullptr, 480, 2520, 1335, 375},
    {"cmdCancel", nullptr, 2640, 2520, 1335, 375},
    {"lblEMail", nullptr, 240, 2880, 1935, 255},
    {"lblVer", nullptr, 2400, 2880, 2535, 255},
};

TEST_F(ConfigTest, DialogFollowsTheDesign) {
  frmConfig form(clockIni_, pluginIni_);
  form.Load();
  ASSERT_TRUE(form.Loaded());
  char caption[64] = {};
  GetWindowTextA(form.Hwnd(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Tibbet Setup");
  RECT client;
  GetClientRect(form.Hwnd(), &client);
  EXPECT_EQ(client.right, Form::TwipsToPixelsX(4680));
  EXPECT_EQ(client.bottom, Form::TwipsToPixelsY(3120));
  const LONG style = GetWindowLongA(form.Hwnd(), GWL_STYLE);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) << "fixed dialog";

  const int onePixel = Form::PixelsToTwipsX(1) + 1;
  for (const Placed& p : kDesign) {
    HWND h = form.Control(p.name);
    ASSERT_NE(h, nullptr) << p.name;
    RECT r = ControlRectTwips(form, p.name);
    EXPECT_NEAR(r.left, p.left, onePixel) << p.name;
    EXPECT_NEAR(r.top, p.top, onePixel) << p.name;
    EXPECT_NEAR(r.right - r.left, p.width, onePixel) << p.name;
    if (std::string(p.name) != "cmbFont") {  // a drop-down list's window holds its list too
      EXPECT_NEAR(r.bottom - r.top, p.height, onePixel) << p.name;
    }
    EXPECT_EQ(GetParent(h), p.container ? form.Control(p.container) : form.Hwnd()) << p.name;
  }

  EXPECT_EQ(form.Text("lblFontName"), "Display Font:");
  EXPECT_EQ(form.Text("chkClose"), "&Close me when close Zarvo.");
  EXPECT_EQ(form.Text("chkSavePos"), "&Remember last postion.");
  EXPECT_EQ(form.Text("chkOnTop"), "&Start with stay on top.");
  EXPECT_EQ(form.Text("lblNote"), "Note: Font will change next time the plugin starts.");
  EXPECT_EQ(form.Text("cmdOK"), "OK");
  EXPECT_EQ(form.Text("cmdCancel"), "Cancel");
  EXPECT_EQ(form.Text("lblEMail"), "tibbet@example.org");
  wchar_t version[64] = {};
  GetWindowTextW(form.Control("lblVer"), version, 64);
  EXPECT_STREQ(version, L"Version:0.3.128 \u03b1");
  EXPECT_TRUE(GetWindowLongA(form.Control("lblVer"), GWL_STYLE) & SS_CENTER);

  EXPECT_EQ(GetWindowLongA(form.Control("cmdOK"), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  ASSERT_EQ(form.ItemCount("cmbFont"), 5);
  const char* fonts[] = {"Tahoma", "Times New Roman", "MS Sans Serif", "Comic Sans MS", "System"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(form.Item("cmbFont", i), fonts[i]);

  // Fonts: Tahoma 8.25 points, the buttons Tahoma 9 points.
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  for (const char* name : {"cmdOK", "cmdCancel", "chkClose", "lblNote"}) {
    LOGFONTA lf = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(form.Control(name), WM_GETFONT, 0, 0)),
               sizeof lf, &lf);
    EXPECT_STREQ(lf.lfFaceName, "Tahoma") << name;
    const bool button = name[0] == 'c' && name[1] == 'm';
    EXPECT_EQ(lf.lfHeight, -MulDiv(button ? 900 : 825, dpi, 7200)) << name;
  }

  // The contact address is blue.
  HDC dc = CreateCompatibleDC(nullptr);
  SendMessageA(form.Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(form.Control("lblEMail")));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 255));
  DeleteDC(dc);
}

struct ShownCase {
  const char* name;
  const char* clockIni;   // nullptr: no file
  const char* pluginIni;  // nullptr: no file
  int font;
  bool savePos, onTop, close;
};

void PrintTo(const ShownCase& c, std::ostream* os) { *os << c.name; }

const ShownCase kShownCases[] = {
    {"NoFilesShowsTheDefaults", nullptr, nullptr, 0, true, true, true},
    {"EmptySectionShowsTheDefaults", "[General]\r\n", "[General]\r\n", 0, true, true, true},
    {"AllCleared", "[General]\r\nFont=3\r\nSavePos=0\r\nOnTop=0\r\n",
     "[General]\r\nCloseWithZarvo=0\r\n", 3, false, false, false},
    {"System", "[General]\r\nFont=4\r\n", nullptr, 4, true, true, true},
    {"FontOutOfRangeSelectsNothing", "[General]\r\nFont=9\r\n", nullptr, -1, true, true, true},
    {"FlagsOtherThanOneAreClear", "[General]\r\nSavePos=2\r\nOnTop=yes\r\n",
     "[General]\r\nCloseWithZarvo=-1\r\n", 0, false, false, false},
    {"OtherSectionIgnored", "[Main]\r\nFont=2\r\nSavePos=0\r\n", nullptr, 0, true, true, true},
};

class ConfigShownTest : public ConfigTest, public ::testing::WithParamInterface<ShownCase> {};

TEST_P(ConfigShownTest, ShowsTheStoredSettings) {
  const ShownCase& c = GetParam();
  if (c.clockIni) testkit::WriteFileBytes(clockIni_, c.clockIni);
  if (c.pluginIni) testkit::WriteFileBytes(pluginIni_, c.pluginIni);
  frmConfig form(clockIni_, pluginIni_);
  form.Load();
  EXPECT_EQ(form.ListIndex("cmbFont"), c.font);
  EXPECT_EQ(form.Checked("chkSavePos"), c.savePos);
  EXPECT_EQ(form.Checked("chkOnTop"), c.onTop);
  EXPECT_EQ(form.Checked("chkClose"), c.close);
  // Showing writes nothing.
  EXPECT_EQ(TextOf(clockIni_), c.clockIni ? c.clockIni : "(none)");
  EXPECT_EQ(TextOf(pluginIni_), c.pluginIni ? c.pluginIni : "(none)");
}

INSTANTIATE_TEST_SUITE_P(Settings, ConfigShownTest, ::testing::ValuesIn(kShownCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigTest, OkWritesTheFourValuesAndEnds) {
  frmConfig form(clockIni_, pluginIni_);
  form.Load();
  Event click{EventType::Click, frmConfig::kCmdOK};
  EXPECT_THROW(form.cmdOK_Click(click), Ended);
  EXPECT_EQ(TextOf(clockIni_), "[General]\r\nFont=0\r\nSavePos=1\r\nOnTop=1\r\n");
  EXPECT_EQ(TextOf(pluginIni_), "[General]\r\nCloseWithZarvo=1\r\n");
}

TEST_F(ConfigTest, OkWritesWhatTheUserChoseAndKeepsThePlace) {
  testkit::WriteFileBytes(clockIni_, "[General]\r\nSavePos=1\r\nTop=1500\r\nLeft=3000\r\n");
  testkit::WriteFileBytes(pluginIni_, "[General]\r\nOther=x\r\n[Plugins]\r\nA=1\r\n");
  frmConfig form(clockIni_, pluginIni_);
  form.Load();
  form.SetListIndex("cmbFont", 3);
  form.SetChecked("chkSavePos", false);
  form.SetChecked("chkOnTop", false);
  form.SetChecked("chkClose", false);
  Event click{EventType::Click, frmConfig::kCmdOK};
  EXPECT_THROW(form.cmdOK_Click(click), Ended);
  EXPECT_EQ(TextOf(clockIni_),
            "[General]\r\nSavePos=0\r\nTop=1500\r\nLeft=3000\r\nFont=3\r\nOnTop=0\r\n");
  EXPECT_EQ(TextOf(pluginIni_), "[General]\r\nOther=x\r\nCloseWithZarvo=0\r\n[Plugins]\r\nA=1\r\n");
}

TEST_F(ConfigTest, OkWithNoFontSelectedWritesMinusOne) {
  testkit::WriteFileBytes(clockIni_, "[General]\r\nFont=12\r\n");
  frmConfig form(clockIni_, pluginIni_);
  form.Load();
  Event click{EventType::Click, frmConfig::kCmdOK};
  EXPECT_THROW(form.cmdOK_Click(click), Ended);
  EXPECT_EQ(TextOf(clockIni_), "[General]\r\nFont=-1\r\nSavePos=1\r\nOnTop=1\r\n");
}

TEST_F(ConfigTest, CancelAndTheCloseBoxWriteNothing) {
  frmConfig form(clockIni_, pluginIni_);
  form.Load();
  form.SetListIndex("cmbFont", 2);
  form.SetChecked("chkOnTop", false);
  Event click{EventType::Click, frmConfig::kCmdCancel};
  EXPECT_THROW(form.cmdCancel_Click(click), Ended);
  Event unload{EventType::Unload};
  EXPECT_THROW(form.Form_Unload(unload), Ended);
  EXPECT_EQ(TextOf(clockIni_), "(none)");
  EXPECT_EQ(TextOf(pluginIni_), "(none)");
}

}  // namespace
