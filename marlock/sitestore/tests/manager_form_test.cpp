// The site manager and the site editor against their layout tables, and how
// the manager finds the sections of the site file's text.
#include <gtest/gtest.h>

#include "launcher/data_paths.h"
#include "sitestore/manager_form.h"
#include "sitestore/pass_edit_form.h"
#include "testkit.h"

namespace {

using zarvo::forms::ControlRectTwips;
using zarvo::forms::Form;

struct Place {
  const char* name;
  const char* container;
  const char* text;
  int left, top, width, height;
};

void ExpectLayout(const Form& form, const char* sCaption, int iWidth, int iHeight,
                  const std::vector<Place>& places) {
  char caption[64] = {};
  GetWindowTextA(form.Hwnd(), caption, sizeof caption);
  EXPECT_STREQ(caption, sCaption);
  RECT client;
  GetClientRect(form.Hwnd(), &client);
  EXPECT_EQ(client.right, Form::TwipsToPixelsX(iWidth));
  EXPECT_EQ(client.bottom, Form::TwipsToPixelsY(iHeight));
  const int slack = Form::PixelsToTwipsX(1) + 1;
  for (const Place& p : places) {
    HWND h = form.Control(p.name);
    ASSERT_NE(h, nullptr) << p.name;
    EXPECT_EQ(GetParent(h), p.container ? form.Control(p.container) : form.Hwnd()) << p.name;
    RECT r = ControlRectTwips(form, p.name);
    EXPECT_NEAR(r.left, p.left, slack) << p.name;
    EXPECT_NEAR(r.top, p.top, slack) << p.name;
    EXPECT_NEAR(r.right - r.left, p.width, slack) << p.name;
    EXPECT_NEAR(r.bottom - r.top, p.height, slack) << p.name;
    if (p.text) {
      EXPECT_EQ(form.Text(p.name), p.text) << p.name;
    }
  }
}

TEST(SiteDialogs, ManagerLayout) {
  marlock::SetDataPaths(marlock::DataPathsFor(testkit::NewScratchDir("manager-form")));
  marlock::frmManager form;
  form.Load();
  ExpectLayout(form, "FTP Manager", 5760, 3945,
               {{"fmeFTPList", nullptr, nullptr, 120, 0, 5535, 3375},
                {"txtAddress", "fmeFTPList", "FTP Address:", 120, 240, 4215, 285},
                {"txtPort", "fmeFTPList", "Port:", 4320, 240, 1095, 285},
                {"lstFTP", "fmeFTPList", nullptr, 120, 550, 4250, 2400},
                {"lstPort", "fmeFTPList", nullptr, 4300, 550, 1080, 2400},
                {"cmdAdd", "fmeFTPList", "&Add", 360, 3000, 1335, 255},
                {"cmdEdit", "fmeFTPList", "&Edit", 2040, 3000, 1335, 255},
                {"cmdRemove", "fmeFTPList", "&Remove", 3840, 3000, 1335, 255},
                {"cmdOK", nullptr, "OK", 1680, 3480, 2175, 375}});
  EXPECT_TRUE(form.SpecOf("cmdOK")->flags & zarvo::forms::kDefault);
  EXPECT_EQ(form.SpecOf("txtAddress")->backColor, RGB(224, 224, 224));
}

TEST(SiteDialogs, EditorLayoutAndTabOrder) {
  marlock::frmPassEdit form;
  form.Load();
  ExpectLayout(form, "FTP Site Infomation", 4035, 2370,
               {{"fmeFTP", nullptr, nullptr, 120, 0, 3855, 1815},
                {"lblHost", "fmeFTP", "Host:", 600, 390, 495, 255},
                {"txtHost", "fmeFTP", "", 1080, 360, 2655, 285},
                {"lblPort", "fmeFTP", "Port:", 600, 750, 495, 255},
                {"txtPort", "fmeFTP", "21", 1080, 720, 2655, 285},
                {"lblUser", "fmeFTP", "Username:", 210, 1130, 855, 255},
                {"txtUser", "fmeFTP", "", 1080, 1080, 2655, 285},
                {"lblPass", "fmeFTP", "Password:", 240, 1490, 855, 255},
                {"txtPass", "fmeFTP", "", 1080, 1440, 2655, 285},
                {"cmdOK", nullptr, "OK", 480, 1920, 1335, 375},
                {"cmdExit", nullptr, "Cancel", 2280, 1920, 1335, 375}});
  EXPECT_EQ(SendMessageA(form.Control("txtPass"), EM_GETPASSWORDCHAR, 0, 0), '*');
  std::vector<std::string> order;
  HWND first = GetNextDlgTabItem(form.Hwnd(), nullptr, FALSE);
  for (HWND h = first; h;) {
    for (const auto& c : form.Controls()) {
      if (form.Control(c.name) == h) order.push_back(c.name);
    }
    h = GetNextDlgTabItem(form.Hwnd(), h, FALSE);
    if (h == first) break;
  }
  EXPECT_EQ(order, (std::vector<std::string>{"txtHost", "txtPort", "txtUser", "txtPass", "cmdOK",
                                             "cmdExit"}));
}

TEST(SiteDialogs, SectionHeadersInFileOrder) {
  EXPECT_EQ(marlock::SectionHeaders(""), std::vector<std::string>{});
  EXPECT_EQ(marlock::SectionHeaders("\r\n"), std::vector<std::string>{});
  EXPECT_EQ(marlock::SectionHeaders("[b_21]\r\nHost=b\r\n  [a_2121]\r\nPort=2121\n[c_21]"),
            (std::vector<std::string>{"b_21", "a_2121", "c_21"}));
  // Fields end at commas too: a value "x,[y]" holds a field that looks like a header.
  EXPECT_EQ(marlock::SectionHeaders("[s]\r\nk=x,[y]\r\n"), (std::vector<std::string>{"s", "y"}));
}

}  // namespace
