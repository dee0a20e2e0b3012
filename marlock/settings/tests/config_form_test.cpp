// The settings dialog and the directory browser driven inside the test
// process: their windows against the layout tables, what loading fills in,
// the options each client shows, and the Internet Explorer switch.
#include <gtest/gtest.h>

#include "launcher/data_paths.h"
#include "process.h"
#include "settings/client_table.h"
#include "settings/config_form.h"
#include "settings/dir_browse_form.h"
#include "testkit.h"

namespace {

using marlock::frmConfig;
using marlock::frmDirBrowse;
using zarvo::forms::ControlRectTwips;
using zarvo::forms::Form;

// ---- hooks: messages are recorded, the end of the process is an exception

struct ProcessEnded {};
std::vector<std::string> g_messages;

int RecordMessage(const std::string& sText, const std::string& sTitle, unsigned uStyle) {
  g_messages.push_back(sText + "|" + sTitle + "|" + std::to_string(uStyle));
  return IDOK;
}
void ThrowOnEnd() { throw ProcessEnded(); }

const std::string kStop = "|Marlock|" + std::to_string(MB_ICONHAND | MB_OK);

class ConfigFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_messages.clear();
    zarvo::SetMessageHook(RecordMessage);
    zarvo::SetEndProcessHook(ThrowOnEnd);
    dir_ = testkit::NewScratchDir("config-form");
    marlock::SetDataPaths(marlock::DataPathsFor(dir_));
    settings_ = dir_ + "\\FTPSetup.ini";
    exe_ = dir_ + "\\client.exe";
    testkit::WriteFileBytes(exe_, "MZ");
  }
  void TearDown() override {
    zarvo::SetMessageHook(nullptr);
    zarvo::SetEndProcessHook(nullptr);
  }
  // A configured file for client iClient, with more of "Main" and sections.
  void Configure(int iClient, const std::string& sMain = "", const std::string& sSections = "") {
    testkit::WriteFileBytes(settings_, "[Main]\r\nFTPType=" + std::to_string(iClient) +
                                           "\r\nEXEName=" + exe_ + "\r\nDefaultDir=" + dir_ +
                                           "\r\n" + sMain + sSections);
  }
  std::string dir_, settings_, exe_;
};

// ---- layout: every control of the tables at its place

struct Place {
  const char* name;
  const char* container;  // nullptr: the form
  const char* caption;    // nullptr: not compared
  int left, top, width, height;
};

const Place kConfigPlaces[] = {
    {"fmeBasic", nullptr, nullptr, 120, 120, 4815, 2895},
    {"lblFTPType", "fmeBasic", "&FTP Client Type:", 240, 360, 2295, 255},
    {"cmbPrgType", "fmeBasic", nullptr, 1440, 300, 3135, 315},
    {"lblLocation", "fmeBasic", "&EXE Location:", 240, 760, 1215, 255},
    {"txtLocation", "fmeBasic", nullptr, 1320, 720, 3015, 315},
    {"cmdBrowse", "fmeBasic", "...", 4320, 720, 315, 315},
    {"chkPrompt", "fmeBasic", "&Prompt for username and password if not included in URL", 240,
     1080, 4455, 255},
    {"chkMini", "fmeBasic", "Start FTP client &minimized", 240, 1380, 4095, 255},
    {"lblWSDir", "fmeBasic", "&Default download directory:", 240, 1710, 2295, 255},
    {"txtWSDir", "fmeBasic", nullptr, 2280, 1680, 2055, 285},
    {"cmdWSDirBrowse", "fmeBasic", "...", 4320, 1680, 300, 285},
    {"chkUseIE", "fmeBasic", "&Use Internet Explorer to explore FTP sites.", 240, 2040, 4335, 195},
    {"chkDownFile", "fmeBasic", "&Download Files using your download manager.", 240, 2280, 4455,
     195},
    {"cmdFTPManager", "fmeBasic", "&Start the FTP Manager", 240, 2520, 4335, 255},
    {"optFFTray", "fmeFlashFXP2", "Start minimized to system &tray.", 240, 240, 4215, 255},
    {"lblFFClose", "fmeFlashFXP2", "After done:", 240, 600, 1335, 255},
    {"cmbFFClose", "fmeFlashFXP2", nullptr, 1200, 560, 3495, 315},
    {"chkCURename", "fmeCute", "If download file exist,then auto &rename it.", 240, 360, 4335, 255},
    {"lblCURetry", "fmeCute", "Default retry times(0 for unlimited):", 240, 720, 3495, 255},
    {"txtCURetry", "fmeCute", "0", 2880, 680, 615, 285},
    {"chkWSQuiet", "fmeWSFTP", "Use &quiet mode", 240, 360, 3855, 255},
    {"chkLeapQuit", "fmeLeap", "&Quit after the process has completed.", 240, 360, 4215, 255},
    {"chkVoyagerQuit", "fmeVoyager", "&Quit after the process has completed.", 240, 360, 3975, 255},
    {"chkBulletQuit", "fmeBullet", "&Quit after the process has completed.", 240, 360, 4335, 255},
    {"fmeIE", nullptr, nullptr, 120, 3120, 4815, 1095},
    {"cmdOK", nullptr, "OK", 720, 4320, 1335, 375},
    {"cmdCancel", nullptr, "Cancel", 2880, 4320, 1335, 375},
    {"lblEMail", nullptr, "marlock@example.org", 480, 4680, 1935, 255},
    {"lblVer", nullptr, nullptr, 2640, 4680, 2535, 255},
};

const char* const kClientFrames[] = {"fmeFlashFXP2", "fmeCute",    "fmeCutePro", "fmeWSFTP",
                                     "fmeLeap",      "fmeVoyager", "fmeBullet",  "fmeCrystal",
                                     "fmeACE",       "fmeSmart",   "fmeFZilla",  "fmeTurboFTP"};

void ExpectPlaces(const Form& form, const Place* places, size_t count) {
  const int slack = Form::PixelsToTwipsX(1) + 1;
  for (size_t i = 0; i < count; ++i) {
    const Place& p = places[i];
    HWND h = form.Control(p.name);
    ASSERT_NE(h, nullptr) << p.name;
    HWND parent = p.container ? form.Control(p.container) : form.Hwnd();
    EXPECT_EQ(GetParent(h), parent) << p.name;
    RECT r = ControlRectTwips(form, p.name);
    EXPECT_NEAR(r.left, p.left, slack) << p.name;
    EXPECT_NEAR(r.top, p.top, slack) << p.name;
    EXPECT_NEAR(r.right - r.left, p.width, slack) << p.name;
    if (form.SpecOf(p.name)->kind != zarvo::forms::Kind::ComboList) {
      EXPECT_NEAR(r.bottom - r.top, p.height, slack) << p.name;
    }
    if (p.caption) {
      EXPECT_EQ(form.Text(p.name), p.caption) << p.name;
    }
  }
}

int FontPoints(HWND h) {
  HFONT f = reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0));
  LOGFONTA lf = {};
  GetObjectA(f, sizeof lf, &lf);
  HDC dc = GetDC(nullptr);
  int points = MulDiv(-lf.lfHeight, 72, GetDeviceCaps(dc, LOGPIXELSY));
  ReleaseDC(nullptr, dc);
  return points;
}

TEST_F(ConfigFormTest, LayoutFollowsTheTables) {
  Configure(0);
  frmConfig form;
  form.Load();
  ASSERT_TRUE(form.Loaded());
  char caption[64] = {};
  GetWindowTextA(form.Hwnd(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Marlock Config");
  RECT client;
  GetClientRect(form.Hwnd(), &client);
  EXPECT_EQ(client.right, Form::TwipsToPixelsX(4995));
  EXPECT_EQ(client.bottom, Form::TwipsToPixelsY(4890));
  ExpectPlaces(form, kConfigPlaces, std::size(kConfigPlaces));

  for (int i = 0; i < marlock::kClientCount; ++i) {
    const Place frame = {kClientFrames[i], nullptr, nullptr, 120, 3120, 4815, 1095};
    ExpectPlaces(form, &frame, 1);
    HWND box = GetDlgItem(form.Control(kClientFrames[i]), -1);
    char text[64] = {};
    GetWindowTextA(box, text, sizeof text);
    EXPECT_STREQ(text, marlock::ClientTypeAt(i).frameCaption) << kClientFrames[i];
  }
  char ieCaption[64] = {};
  GetWindowTextA(GetDlgItem(form.Control("fmeIE"), -1), ieCaption, sizeof ieCaption);
  EXPECT_STREQ(ieCaption, "Internet Explorer Options:");
  EXPECT_FALSE(form.Visible("fmeIE"));
  std::vector<std::string> clients, afterDone;
  for (int i = 0; i < form.ItemCount("cmbPrgType"); ++i) clients.push_back(form.Item("cmbPrgType", i));
  for (int i = 0; i < form.ItemCount("cmbFFClose"); ++i) afterDone.push_back(form.Item("cmbFFClose", i));
  EXPECT_EQ(clients, (std::vector<std::string>{
                         "FlashFXP", "CuteFTP XP", "CuteFTP Pro 3.0/3.1", "WS_FTP Pro", "LeapFTP",
                         "FTP Voyager", "Bullet Proof FTP", "Crystal FTP Pro 2.8",
                         "Ace FTP/Ace FTP Pro", "SmartFTP", "FileZilla", "TurboFTP"}));
  EXPECT_EQ(afterDone, (std::vector<std::string>{
                           "Do nothing", "Disconnect site(s)", "Quit FlashFXP", "Hang up",
                           "Hang up and exit", "Hang up and turn off computer",
                           "Turn off computer", "Log off computer"}));

  wchar_t version[64] = {};
  GetWindowTextW(form.Control("lblVer"), version, 64);
  EXPECT_STREQ(version, L"Version:0.71.874 \u03b2");
  EXPECT_EQ(FontPoints(form.Control("cmdOK")), 9);
  EXPECT_EQ(FontPoints(form.Control("cmdCancel")), 9);
  EXPECT_EQ(FontPoints(form.Control("chkPrompt")), 8);
  EXPECT_NE(GetWindowLongA(form.Control("txtLocation"), GWL_STYLE) & ES_READONLY, 0);
  EXPECT_EQ(GetWindowLongA(form.Control("txtWSDir"), GWL_STYLE) & ES_READONLY, 0);
  EXPECT_EQ(form.SpecOf("cmdOK")->flags & zarvo::forms::kDefault, zarvo::forms::kDefault);
  EXPECT_EQ(form.SpecOf("cmdCancel")->flags & zarvo::forms::kCancel, zarvo::forms::kCancel);
}

TEST_F(ConfigFormTest, DirectoryBrowserLayout) {
  frmConfig config;
  frmDirBrowse form(config);
  form.Load();
  char caption[64] = {};
  GetWindowTextA(form.Hwnd(), caption, sizeof caption);
  EXPECT_STREQ(caption, "Browse for a Direcory...");
  RECT client;
  GetClientRect(form.Hwnd(), &client);
  EXPECT_EQ(client.right, Form::TwipsToPixelsX(4230));
  EXPECT_EQ(client.bottom, Form::TwipsToPixelsY(4185));
  const Place places[] = {
      {"lblDrive", nullptr, "Drive:", 240, 120, 615, 255},
      {"drvDrive", nullptr, nullptr, 840, 120, 3255, 315},
      {"lblDir", nullptr, "Directory:", 240, 480, 855, 255},
      {"dirDir", nullptr, nullptr, 240, 720, 3855, 2790},
      {"cmdOK", nullptr, "&Select", 960, 3600, 2175, 495},
  };
  ExpectPlaces(form, places, std::size(places));
  EXPECT_EQ(FontPoints(form.Control("cmdOK")), 9);
}

// ---- loading: its three ends, and nothing is ever written

TEST_F(ConfigFormTest, NotConfiguredStartsWithFlashFxp) {
  for (const char* sContent : {"", "[Main]\r\nUseIE=1\r\nPromptPass=1\r\n",
                               "[Main]\r\nFTPType=255\r\n", "[Main]\r\nFTPType=12\r\n"}) {
    g_messages.clear();
    if (*sContent) testkit::WriteFileBytes(settings_, sContent);
    frmConfig form;
    form.Load();
    EXPECT_EQ(g_messages, std::vector<std::string>{
                              "This plugin hasn't not been configed, please config it before you "
                              "use it!" + kStop})
        << sContent;
    EXPECT_EQ(form.ListIndex("cmbPrgType"), 0);
    EXPECT_EQ(form.FrontClientFrame(), "fmeFlashFXP2");
    EXPECT_TRUE(form.Visible("fmeFlashFXP2"));
    EXPECT_FALSE(form.Checked("chkUseIE")) << "the rest is not loaded";
    EXPECT_FALSE(form.bLoading);
    if (*sContent) {
      EXPECT_EQ(testkit::ReadFileBytes(settings_), sContent) << "loading writes nothing";
    } else {
      EXPECT_FALSE(testkit::PathExists(settings_)) << "loading writes nothing";
    }
  }
}

TEST_F(ConfigFormTest, MissingExecutableSelectsOnlyTheClient) {
  const std::string sContent = "[Main]\r\nFTPType=4\r\nEXEName=" + dir_ +
                               "\\gone.exe\r\nPromptPass=1\r\nUseIE=1\r\nDefaultDir=C:\\x\r\n";
  testkit::WriteFileBytes(settings_, sContent);
  frmConfig form;
  form.Load();
  EXPECT_EQ(g_messages, std::vector<std::string>{
                            "Unable to find the ftp client file, please reconfig the plugin!" +
                            kStop});
  EXPECT_EQ(form.ListIndex("cmbPrgType"), 4);
  EXPECT_EQ(form.Text("txtLocation"), "");
  EXPECT_EQ(form.Text("txtWSDir"), "");
  EXPECT_FALSE(form.Checked("chkPrompt"));
  EXPECT_FALSE(form.Checked("chkUseIE"));
  EXPECT_EQ(form.FrontClientFrame(), "fmeFlashFXP2") << "no options frame is brought forward";
  EXPECT_FALSE(form.bLoading);
  EXPECT_EQ(testkit::ReadFileBytes(settings_), sContent);
}

TEST_F(ConfigFormTest, FullyLoaded) {
  const std::string sContent = "[Main]\r\nFTPType=3\r\nEXEName=  " + exe_ +
                               "  \r\nPromptPass=1\r\nDefaultDir=D:\\Down\r\nUseIE=1\r\n"
                               "UseDownManager=1\r\nOpenMini=1\r\n[WSFTPPro]\r\nQuiet=1\r\n";
  testkit::WriteFileBytes(settings_, sContent);
  frmConfig form;
  form.Load();
  EXPECT_TRUE(g_messages.empty());
  EXPECT_EQ(form.ListIndex("cmbPrgType"), 3);
  EXPECT_EQ(form.Text("txtLocation"), exe_);
  EXPECT_TRUE(form.Checked("chkPrompt"));
  EXPECT_EQ(form.Text("txtWSDir"), "D:\\Down");
  EXPECT_TRUE(form.Checked("chkMini"));
  EXPECT_TRUE(form.Checked("chkWSQuiet"));
  EXPECT_EQ(form.FrontClientFrame(), "fmeWSFTP");
  EXPECT_TRUE(form.Checked("chkUseIE"));
  EXPECT_TRUE(form.Visible("fmeIE")) << "ticking UseIE while loading acts like a click";
  EXPECT_FALSE(form.Enabled("cmbPrgType"));
  EXPECT_TRUE(form.Checked("chkDownFile"));
  EXPECT_EQ(testkit::ReadFileBytes(settings_), sContent);
}

TEST_F(ConfigFormTest, DownloadDirectoryDefaultsToProgramFolder) {
  testkit::WriteFileBytes(settings_, "[Main]\r\nFTPType=0\r\nEXEName=" + exe_ + "\r\n");
  frmConfig form;
  form.Load();
  EXPECT_EQ(form.Text("txtWSDir"), dir_);
}

// ---- ShowClientOptions: what each client loads, offers and shows

struct OptionsCase {
  const char* name;
  int client;
  const char* sections;
  bool miniEnabled, downEnabled;
  const char* frame;
  std::vector<const char*> ticked;  // option boxes ticked afterwards
  int onFinish;                     // cmbFFClose selection
  const char* retry;                // txtCURetry text
};

void PrintTo(const OptionsCase& c, std::ostream* os) { *os << c.name; }

const OptionsCase kOptions[] = {
    {"FlashFxpNoSection", 0, "", true, true, "fmeFlashFXP2", {}, 0, "0"},
    {"FlashFxpStored", 0, "[FlashFXP2]\r\nOnFinish=3\r\nOpenTray=1\r\n", true, true,
     "fmeFlashFXP2", {"optFFTray"}, 3, "0"},
    {"FlashFxpOnFinishOutsideList", 0, "[FlashFXP2]\r\nOnFinish=9\r\nOpenTray=1\r\n", true, true,
     "fmeFlashFXP2", {}, 0, "0"},
    {"CuteNoSection", 1, "", true, true, "fmeCute", {}, 0, "0"},
    {"CuteStored", 1, "[CuteFTP]\r\nAutoRename=1\r\nRetry=12\r\n", true, true, "fmeCute",
     {"chkCURename"}, 0, "12"},
    {"CuteRetry999ShownAsZero", 1, "[CuteFTP]\r\nAutoRename=0\r\nRetry=999\r\n", true, true,
     "fmeCute", {}, 0, "0"},
    {"CuteRetryEmpty", 1, "[CuteFTP]\r\nAutoRename=0\r\nRetry=\r\n", true, true, "fmeCute", {}, 0,
     "0"},
    {"CuteRetryWithoutRenameIgnored", 1, "[CuteFTP]\r\nRetry=12\r\n", true, true, "fmeCute", {},
     0, "0"},
    {"CuteProNothing", 2, "", false, false, "fmeCutePro", {}, 0, "0"},
    {"WsFtpQuiet", 3, "[WSFTPPro]\r\nQuiet=1\r\n", true, true, "fmeWSFTP", {"chkWSQuiet"}, 0, "0"},
    {"LeapQuit", 4, "[LeapFTP]\r\nQuit=1\r\n", true, true, "fmeLeap", {"chkLeapQuit"}, 0, "0"},
    {"VoyagerQuit", 5, "[Voyager]\r\nQuit=1\r\n", true, true, "fmeVoyager", {"chkVoyagerQuit"}, 0,
     "0"},
    {"BulletQuit", 6, "[Bullet]\r\nQuit=1\r\n", true, true, "fmeBullet", {"chkBulletQuit"}, 0, "0"},
    {"BulletQuitNotOne", 6, "[Bullet]\r\nQuit=2\r\n", true, true, "fmeBullet", {}, 0, "0"},
    {"Crystal", 7, "", false, true, "fmeCrystal", {}, 0, "0"},
    {"Ace", 8, "", false, true, "fmeACE", {}, 0, "0"},
    {"Smart", 9, "", true, true, "fmeSmart", {}, 0, "0"},
    {"FileZilla", 10, "", true, true, "fmeFZilla", {}, 0, "0"},
    {"TurboFtp", 11, "", true, true, "fmeTurboFTP", {}, 0, "0"},
};

class ClientOptionsTest : public ConfigFormTest,
                          public ::testing::WithParamInterface<OptionsCase> {};

TEST_P(ClientOptionsTest, LoadsOffersAndShows) {
  const OptionsCase& c = GetParam();
  Configure(c.client, "", c.sections);
  frmConfig form;
  form.Load();
  ASSERT_TRUE(g_messages.empty()) << g_messages[0];
  EXPECT_EQ(form.Enabled("chkMini"), c.miniEnabled);
  EXPECT_EQ(form.Enabled("chkDownFile"), c.downEnabled);
  EXPECT_EQ(form.FrontClientFrame(), c.frame);
  for (const char* sFrame : kClientFrames) {
    EXPECT_EQ(form.Visible(sFrame), strcmp(sFrame, c.frame) == 0) << sFrame;
  }
  for (const char* sBox : {"optFFTray", "chkCURename", "chkWSQuiet", "chkLeapQuit",
                           "chkVoyagerQuit", "chkBulletQuit"}) {
    bool bExpected = false;
    for (const char* t : c.ticked) bExpected |= strcmp(t, sBox) == 0;
    EXPECT_EQ(form.Checked(sBox), bExpected) << sBox;
  }
  EXPECT_EQ(form.ListIndex("cmbFFClose"), c.onFinish);
  EXPECT_EQ(form.Text("txtCURetry"), c.retry);
}

INSTANTIATE_TEST_SUITE_P(Clients, ClientOptionsTest, ::testing::ValuesIn(kOptions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ConfigFormTest, SelectingAClientReadsItsOptionsAgainAndKeepsUserTicks) {
  Configure(0, "", "[FlashFXP2]\r\nOnFinish=0\r\nOpenTray=0\r\n[LeapFTP]\r\nQuit=0\r\n");
  frmConfig form;
  form.Load();
  form.SetChecked("optFFTray", true);   // the user's tick
  form.SetListIndex("cmbFFClose", 5);   // the user's choice, never saved
  form.SetListIndex("cmbPrgType", 4);
  EXPECT_EQ(form.Text("txtLocation"), "") << "a new client needs its own executable";
  EXPECT_EQ(form.FrontClientFrame(), "fmeLeap");
  form.SetListIndex("cmbPrgType", 0);
  EXPECT_EQ(form.FrontClientFrame(), "fmeFlashFXP2");
  EXPECT_EQ(form.ListIndex("cmbFFClose"), 0) << "stored options, not unsaved edits";
  EXPECT_TRUE(form.Checked("optFFTray")) << "ticks are only ever set, never cleared";
}

// ---- the Internet Explorer switch

TEST_F(ConfigFormTest, InternetExplorerSwitchDisablesClientControls) {
  Configure(7);  // Crystal FTP Pro: chkMini is not offered
  frmConfig form;
  form.Load();
  ASSERT_FALSE(form.Enabled("chkMini"));
  const char* const kClientControls[] = {"cmbPrgType", "txtLocation", "chkMini",
                                         "cmdBrowse",  "cmdWSDirBrowse", "txtWSDir",
                                         "fmeFlashFXP2", "fmeCrystal", "optFFTray", "txtCURetry"};
  const char* const kUntouched[] = {"chkPrompt", "chkDownFile", "cmdFTPManager", "cmdOK",
                                    "cmdCancel"};
  form.SetChecked("chkUseIE", true);
  for (const char* s : kClientControls) EXPECT_FALSE(form.Enabled(s)) << s;
  for (const char* s : kUntouched) EXPECT_TRUE(form.Enabled(s)) << s;
  EXPECT_TRUE(form.Visible("fmeIE"));
  // fmeIE lies over the client frame.
  HWND above = form.Control("fmeIE");
  bool found = false;
  for (HWND h = GetWindow(above, GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT)) {
    found |= h == form.Control("fmeCrystal");
  }
  EXPECT_TRUE(found) << "fmeIE is in front of the client frame";

  form.SetChecked("chkUseIE", false);
  for (const char* s : kClientControls) EXPECT_TRUE(form.Enabled(s)) << s;
  EXPECT_FALSE(form.Visible("fmeIE"));
  EXPECT_TRUE(form.Visible("fmeCrystal"));
  EXPECT_TRUE(g_messages.empty());
}

// ---- the retry box

TEST_F(ConfigFormTest, RetryBoxTakesDigitsUpTo999) {
  Configure(1);
  frmConfig form;
  form.Load();
  HWND edit = form.Control("txtCURetry");
  form.SelectAllText("txtCURetry");
  auto type = [&](const std::string& s) {
    for (char ch : s) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(ch), 0);
  };
  struct Step {
    const char* typed;
    const char* text;
  } const steps[] = {
      {"\b", ""}, {"1x2-a", "12"}, {"3", "123"}, {"4", "999"}, {"\b\b\b", ""}, {"1000", "999"},
  };
  for (const Step& s : steps) {
    type(s.typed);
    EXPECT_EQ(form.Text("txtCURetry"), s.text) << "after typing \"" << s.typed << "\"";
  }
}

// ---- the directory browser's path rules

TEST(DirBrowsePaths, NormalizeAndChain) {
  using marlock::dir_browse::FolderChain;
  using marlock::dir_browse::NormalizeFolder;
  EXPECT_EQ(NormalizeFolder("z:\\tmp\\a\\"), "Z:\\tmp\\a");
  EXPECT_EQ(NormalizeFolder("c:/x/y"), "C:\\x\\y");
  EXPECT_EQ(NormalizeFolder("C:\\"), "C:\\");
  EXPECT_EQ(NormalizeFolder("\\\\server\\share"), "");
  EXPECT_EQ(NormalizeFolder("C:"), "");
  EXPECT_EQ(FolderChain("C:\\"), std::vector<std::string>{"C:\\"});
  EXPECT_EQ(FolderChain("C:\\a\\b c"),
            (std::vector<std::string>{"C:\\", "C:\\a", "C:\\a\\b c"}));
}

}  // namespace
