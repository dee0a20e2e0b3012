// The login prompt inside the test process: its window against the layout
// table, the tab order, and what OK and Cancel answer for each way the two
// boxes and the check boxes can stand.
#include <gtest/gtest.h>

#include <iterator>

#include "launcher/login_form.h"
#include "process.h"

namespace {

using marlock::frmLoginFTP;
using marlock::LoginAnswer;
using zarvo::forms::ControlRectTwips;
using zarvo::forms::Form;
namespace id = marlock::login_ids;

std::vector<std::string> g_messages;

int RecordMessage(const std::string& sText, const std::string& sTitle, unsigned uStyle) {
  g_messages.push_back(sText + "|" + sTitle + "|" + std::to_string(uStyle));
  return IDOK;
}

const std::string kStop = "|Marlock|" + std::to_string(MB_ICONHAND | MB_OK);
const std::string kNoUser = "Please enter your username!" + kStop;
const std::string kNoPass = "Please enter your password!" + kStop;

class LoginFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_messages.clear();
    zarvo::SetMessageHook(RecordMessage);
  }
  void TearDown() override { zarvo::SetMessageHook(nullptr); }
  // A click as the user makes it, through the control's own window.
  static void Click(Form& form, const char* sName) {
    SendMessageA(form.Control(sName), BM_CLICK, 0, 0);
  }
};

struct Place {
  const char* name;
  const char* caption;  // nullptr: not compared
  int left, top, width, height;
};

TEST_F(LoginFormTest, LayoutFollowsTheTable) {
  frmLoginFTP form;
  form.Load();
  ASSERT_TRUE(form.Loaded());
  char caption[64] = {};
  GetWindowTextA(form.Hwnd(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Login into FTP Site");
  RECT client;
  GetClientRect(form.Hwnd(), &client);
  EXPECT_EQ(client.right, Form::TwipsToPixelsX(4260));
  EXPECT_EQ(client.bottom, Form::TwipsToPixelsY(2145));

  const Place places[] = {
      {"lblUser", "&Username:", 840, 280, 1095, 255},
      {"txtUser", "", 1800, 240, 2295, 315},
      {"lblPass", "&Password:", 840, 720, 1095, 255},
      {"txtPass", "", 1800, 700, 2295, 315},
      {"cmdOK", "OK", 480, 1680, 1215, 375},
      {"cmdCancel", "Cancel", 2520, 1680, 1215, 375},
      {"chkNoUser", "&Anonymous login", 360, 1100, 3735, 255},
      {"chkSave", "&Remember it and don't disturb me again.", 360, 1380, 3735, 210},
  };
  const int slack = Form::PixelsToTwipsX(1) + 1;
  for (const Place& p : places) {
    HWND h = form.Control(p.name);
    ASSERT_NE(h, nullptr) << p.name;
    EXPECT_EQ(GetParent(h), form.Hwnd()) << p.name;
    RECT r = ControlRectTwips(form, p.name);
    EXPECT_NEAR(r.left, p.left, slack) << p.name;
    EXPECT_NEAR(r.top, p.top, slack) << p.name;
    EXPECT_NEAR(r.right - r.left, p.width, slack) << p.name;
    EXPECT_NEAR(r.bottom - r.top, p.height, slack) << p.name;
    EXPECT_EQ(form.Text(p.name), p.caption) << p.name;
    LOGFONTA lf = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    EXPECT_STREQ(lf.lfFaceName, "Tahoma") << p.name;
  }
  // The picture sits left of the two rows, clear of every other control.
  RECT pic = ControlRectTwips(form, "picLogin");
  EXPECT_LE(pic.right, 840);
  EXPECT_GE(pic.top, 240);
  EXPECT_LE(pic.bottom, 1100);

  EXPECT_EQ(SendMessageA(form.Control("txtPass"), EM_GETPASSWORDCHAR, 0, 0), '*');
  EXPECT_EQ(SendMessageA(form.Control("txtUser"), EM_GETPASSWORDCHAR, 0, 0), 0);
  EXPECT_EQ(GetWindowLongA(form.Control("cmdOK"), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_TRUE(form.SpecOf("cmdOK")->flags & zarvo::forms::kDefault);
  EXPECT_TRUE(form.SpecOf("cmdCancel")->flags & zarvo::forms::kCancel);

  // Tab goes round the controls in the order of the table.
  const char* const order[] = {"txtUser", "txtPass",  "cmdOK",  "cmdCancel",
                               "chkNoUser", "chkSave", "txtUser"};
  HWND at = GetNextDlgTabItem(form.Hwnd(), nullptr, FALSE);
  for (size_t i = 0; i + 1 < std::size(order); ++i) {
    EXPECT_EQ(at, form.Control(order[i])) << "tab stop " << i << " is " << order[i];
    at = GetNextDlgTabItem(form.Hwnd(), at, FALSE);
  }
  EXPECT_EQ(at, form.Control("txtUser")) << "and back to the start";

  // It opens empty, with both check boxes clear and everything enabled.
  for (const char* sName : {"txtUser", "txtPass", "chkNoUser", "chkSave"}) {
    EXPECT_TRUE(form.Enabled(sName)) << sName;
  }
  EXPECT_FALSE(form.Checked("chkNoUser"));
  EXPECT_FALSE(form.Checked("chkSave"));
  EXPECT_EQ(form.Answer().outcome, LoginAnswer::Outcome::Closed);
}

TEST_F(LoginFormTest, PictureIsDrawn) {
  frmLoginFTP form;
  form.Load();
  HWND pic = form.Control("picLogin");
  ASSERT_NE(pic, nullptr);
  RECT r;
  GetClientRect(pic, &r);
  // Paint the control into a memory bitmap and look for colour other than
  // the face colour behind it.
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, r.right, r.bottom);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  DRAWITEMSTRUCT di = {};
  di.CtlType = ODT_STATIC;
  di.CtlID = id::picLogin;
  di.itemAction = ODA_DRAWENTIRE;
  di.hwndItem = pic;
  di.hDC = dc;
  di.rcItem = r;
  SendMessageA(form.Hwnd(), WM_DRAWITEM, id::picLogin, reinterpret_cast<LPARAM>(&di));
  int iDrawn = 0;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (int y = 0; y < r.bottom; ++y) {
    for (int x = 0; x < r.right; ++x) iDrawn += GetPixel(dc, x, y) != face;
  }
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
  EXPECT_GT(iDrawn, r.right * r.bottom / 4) << "the picture's resource is missing";
  EXPECT_LT(iDrawn, r.right * r.bottom) << "the corners show the face colour";
}

// ---- OK and Cancel: what the dialog answers and whether it closes

struct OkCase {
  const char* name;
  const char* user;
  const char* pass;
  bool anonymous, remember;
  const char* button;  // "cmdOK" or "cmdCancel"
  std::vector<std::string> messages;
  bool closes;
  LoginAnswer::Outcome outcome;
  bool answeredRemember;
};

void PrintTo(const OkCase& c, std::ostream* os) { *os << c.name; }

using O = LoginAnswer::Outcome;
const OkCase kOkCases[] = {
    {"BothEmpty", "", "", false, false, "cmdOK", {kNoUser}, false, O::Closed, false},
    {"NoUserName", "", "secret", false, false, "cmdOK", {kNoUser}, false, O::Closed, false},
    {"NoPassword", "anna", "", false, true, "cmdOK", {kNoPass}, false, O::Closed, false},
    {"Entered", " anna ", " pass word ", false, false, "cmdOK", {}, true, O::Entered, false},
    {"EnteredRemembered", "anna", "secret", false, true, "cmdOK", {}, true, O::Entered, true},
    {"AnonymousWithEmptyBoxes", "", "", true, false, "cmdOK", {}, true, O::Anonymous, false},
    {"AnonymousIgnoresTextAndRemember", "anna", "secret", true, true, "cmdOK", {}, true,
     O::Anonymous, false},
    {"Cancel", "anna", "secret", false, true, "cmdCancel", {}, true, O::Cancelled, false},
};

class LoginOkTest : public LoginFormTest, public ::testing::WithParamInterface<OkCase> {};

TEST_P(LoginOkTest, Answers) {
  const OkCase& c = GetParam();
  frmLoginFTP form;
  form.Load();
  form.SetText("txtUser", c.user);
  form.SetText("txtPass", c.pass);
  // Remember first: the anonymous box disables it, as a user would find it.
  if (c.remember) Click(form, "chkSave");
  if (c.anonymous) Click(form, "chkNoUser");
  Click(form, c.button);
  EXPECT_EQ(g_messages, c.messages);
  EXPECT_EQ(form.Loaded(), !c.closes);
  if (form.Loaded()) {
    EXPECT_EQ(form.Text("txtUser"), c.user) << "what was typed stays";
    EXPECT_EQ(form.Text("txtPass"), c.pass);
  }
  const LoginAnswer& a = form.Answer();
  EXPECT_EQ(a.outcome, c.outcome);
  if (c.outcome == O::Entered) {
    EXPECT_EQ(a.userName, c.user) << "exactly as typed";
    EXPECT_EQ(a.password, c.pass);
  } else {
    EXPECT_EQ(a.userName, "");
    EXPECT_EQ(a.password, "");
  }
  EXPECT_EQ(a.remember, c.answeredRemember);
}

INSTANTIATE_TEST_SUITE_P(Cases, LoginOkTest, ::testing::ValuesIn(kOkCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoginFormTest, AnonymousBoxGreysAndDisablesAndGivesBack) {
  frmLoginFTP form;
  form.Load();
  form.SetText("txtUser", "anna");
  form.SetText("txtPass", "secret");
  Click(form, "chkSave");
  // The colour a box is painted with, as its parent hands it out.
  auto backOf = [&form](const char* sName) {
    HWND box = form.Control(sName);
    HDC dc = GetDC(box);
    SetBkColor(dc, RGB(1, 2, 3));
    const UINT msg = IsWindowEnabled(box) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC;
    SendMessageA(form.Hwnd(), msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(box));
    const COLORREF back = GetBkColor(dc);
    ReleaseDC(box, dc);
    return back;
  };
  for (int round = 0; round < 2; ++round) {
    Click(form, "chkNoUser");
    for (const char* sBox : {"txtUser", "txtPass"}) {
      EXPECT_FALSE(form.Enabled(sBox)) << sBox;
      EXPECT_EQ(backOf(sBox), RGB(224, 224, 224)) << sBox;
    }
    EXPECT_FALSE(form.Enabled("chkSave"));
    EXPECT_TRUE(form.Enabled("cmdOK"));

    Click(form, "chkNoUser");
    for (const char* sBox : {"txtUser", "txtPass"}) {
      EXPECT_TRUE(form.Enabled(sBox)) << sBox;
      EXPECT_EQ(backOf(sBox), GetSysColor(COLOR_WINDOW)) << sBox;
    }
    EXPECT_TRUE(form.Enabled("chkSave"));
    EXPECT_EQ(form.Text("txtUser"), "anna") << "round " << round;
    EXPECT_EQ(form.Text("txtPass"), "secret") << "round " << round;
    EXPECT_TRUE(form.Checked("chkSave")) << "the remember box keeps its tick";
  }
}

}  // namespace
