// Tibbet.exe started as Zarvo starts it, checked through what the user
// sees: the message, the clock window, its place, its font, its on-top
// state and its pop-up, and what Clock.ini holds afterwards.
#include <gtest/gtest.h>

#include "tibbet_e2e.h"

namespace {

using tibbet_e2e::Install;
using tibbet_e2e::IsTopmost;
using tibbet_e2e::WindowRectTwips;

constexpr DWORD kWait = 15000;

// A clock started from a scratch installation, and its window.
struct Clock {
  testkit::Process process;
  HWND hwnd = nullptr;
};

Clock StartClock(const Install& install) {
  Clock c;
  c.process = install.Run("-startup");
  if (c.process.Started()) c.hwnd = tibbet_e2e::WaitForWindowOf(c.process.Id(), "Zarvo Clock", kWait);
  return c;
}

// Runs "-close" of the same installation and waits for both processes.
void CloseWithSwitch(const Install& install, Clock& clock) {
  testkit::Process closer = install.Run("-close");
  EXPECT_TRUE(closer.WaitExit(kWait)) << "the -close process ends";
  EXPECT_TRUE(clock.process.WaitExit(kWait)) << "the clock ends";
}

void MoveTo(HWND hwnd, int iX, int iY) {
  SetWindowPos(hwnd, nullptr, iX, iY, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TEST(ClockStartup, EmptyCommandLineShowsTheMessageAndEnds) {
  Install install = tibbet_e2e::NewInstall("empty");
  testkit::Process tibbet = install.Run("");
  HWND box = uidriver::WaitForMessageBox(kWait, tibbet.Id());
  ASSERT_NE(box, nullptr);
  uidriver::MessageBoxInfo info = uidriver::ReadMessageBox(box);
  EXPECT_EQ(info.title, "Zarvo Tibbet");
  EXPECT_EQ(info.text, "This Plugin can be used with Zarvo only.");
  EXPECT_EQ(info.icon, uidriver::BoxIcon::Stop) << uidriver::BoxIconName(info.icon);
  EXPECT_EQ(info.buttons, std::vector<std::string>{"OK"});
  EXPECT_TRUE(tibbet.Running()) << "waits for the message";
  uidriver::PressButton(box, IDOK);
  EXPECT_TRUE(tibbet.WaitExit(kWait));
  EXPECT_EQ(install.ClockIniText(), "");
}

TEST(ClockStartup, SwitchInCapitalsDoesNothing) {
  Install install = tibbet_e2e::NewInstall("capitals");
  testkit::Process tibbet = install.Run("-STARTUP");
  EXPECT_TRUE(tibbet.WaitExit(kWait)) << "ends by itself";
  EXPECT_EQ(uidriver::FindTopWindow("Zarvo Clock"), nullptr);
  EXPECT_EQ(uidriver::WaitForMessageBox(300, tibbet.Id()), nullptr);
  EXPECT_FALSE(testkit::PathExists(install.clockIni));
}

TEST(ClockWindow, ShowsTheTimeAsTheUserSeesIt) {
  Install install = tibbet_e2e::NewInstall("shows");
  Clock clock = StartClock(install);
  ASSERT_NE(clock.hwnd, nullptr);
  EXPECT_TRUE(GetWindowLongA(clock.hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
  RECT client;
  GetClientRect(clock.hwnd, &client);
  EXPECT_EQ(client.right * 15, 1590);
  EXPECT_EQ(client.bottom * 15, 360);
  // The label shows the time, and from the first tick on it moves.
  HWND label = tibbet_e2e::ClockLabel(clock.hwnd);
  ASSERT_NE(label, nullptr);
  const std::string first = uidriver::GetText(label);
  EXPECT_NE(first, "00:00:00");
  EXPECT_EQ(std::count(first.begin(), first.end(), ':'), 2) << first;
  std::string later = first;
  for (int i = 0; i < 40 && later == first; ++i) {
    Sleep(100);
    later = uidriver::GetText(label);
  }
  EXPECT_NE(later, first) << "the time moves on";
  // With no Font key the label is drawn in Tahoma.
  EXPECT_TRUE(tibbet_e2e::LabelShowsFont(clock.hwnd, "Tahoma"));
  CloseWithSwitch(install, clock);
}

TEST(ClockWindow, SecondStartEndsAtOnceWhileAClockRuns) {
  Install install = tibbet_e2e::NewInstall("second");
  Clock clock = StartClock(install);
  ASSERT_NE(clock.hwnd, nullptr);
  testkit::Process second = install.Run("-startup");
  EXPECT_TRUE(second.WaitExit(kWait));
  EXPECT_TRUE(clock.process.Running());
  EXPECT_TRUE(uidriver::TopWindowsOfProcess(second.Id()).empty());
  CloseWithSwitch(install, clock);
}

TEST(ClockWindow, StartEndsAtOnceWhileTheSettingsDialogIsOpen) {
  Install install = tibbet_e2e::NewInstall("whilesetup");
  testkit::Process setup = install.Run("-setup");
  HWND dialog = tibbet_e2e::WaitForWindowOf(setup.Id(), "Tibbet Setup", kWait);
  ASSERT_NE(dialog, nullptr);
  testkit::Process clock = install.Run("-startup");
  EXPECT_TRUE(clock.WaitExit(kWait));
  EXPECT_EQ(uidriver::FindTopWindow("Zarvo Clock"), nullptr);
  EXPECT_TRUE(setup.Running()) << "the dialog stays";
}

struct PlaceCase {
  const char* name;
  const char* ini;
  LONG left, top;  // twips
};

void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }

const PlaceCase kPlaces[] = {
    {"SavePosWithoutTopAndLeft", "[General]\r\nSavePos=1\r\n", 10245, 0},
    {"SavePosRestoresThePlace", "[General]\r\nSavePos=1\r\nTop=1500\r\nLeft=3000\r\n", 3000, 1500},
    {"VisiblePlaceKeptExactly", "[General]\r\nSavePos=1\r\nTop=-150\r\nLeft=14700\r\n", 14700,
     -150},
    {"SavePosAbsentOpensAtTheDesignPlace", "[General]\r\nTop=1500\r\nLeft=3000\r\n", 10245, 0},
};

class StartedClockPlaceTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(StartedClockPlaceTest, OpensAt) {
  Install install = tibbet_e2e::NewInstall("place");
  install.WriteClockIni(GetParam().ini);
  Clock clock = StartClock(install);
  ASSERT_NE(clock.hwnd, nullptr);
  RECT r = WindowRectTwips(clock.hwnd);
  EXPECT_EQ(r.left, GetParam().left);
  EXPECT_EQ(r.top, GetParam().top);
  clock.process.Kill();
}

INSTANTIATE_TEST_SUITE_P(Places, StartedClockPlaceTest, ::testing::ValuesIn(kPlaces),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ClockPlace, PlaceOnAMonitorThatHasGoneComesBackOnScreen) {
  Install install = tibbet_e2e::NewInstall("gone");
  install.WriteClockIni("[General]\r\nSavePos=1\r\nTop=1500\r\nLeft=60000\r\n");
  Clock clock = StartClock(install);
  ASSERT_NE(clock.hwnd, nullptr);
  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  RECT r;
  GetWindowRect(clock.hwnd, &r);
  EXPECT_EQ(r.right, work.right) << "at the nearest edge of the work area";
  EXPECT_EQ(WindowRectTwips(clock.hwnd).top, 1500) << "the top was on screen and stays";
  EXPECT_GE(r.left, work.left);
  // A close saves the place the user sees.
  CloseWithSwitch(install, clock);
  EXPECT_EQ(install.ClockIniText(), "[General]\r\nSavePos=1\r\nTop=1500\r\nLeft=" +
                                        std::to_string(r.left * 15) + "\r\n");
}

TEST(ClockPlace, CloseSwitchSavesThePlace) {
  Install install = tibbet_e2e::NewInstall("closesaves");
  install.WriteClockIni("[General]\r\nSavePos=1\r\nTop=1500\r\nLeft=3000\r\n");
  Clock clock = StartClock(install);
  ASSERT_NE(clock.hwnd, nullptr);
  MoveTo(clock.hwnd, 150, 200);  // as if dragged by its title bar
  CloseWithSwitch(install, clock);
  EXPECT_EQ(install.ClockIniText(), "[General]\r\nSavePos=1\r\nTop=3000\r\nLeft=2250\r\n");
}

TEST(ClockPlace, WithoutSavePosTheCloseSwitchSavesNothing) {
  Install install = tibbet_e2e::NewInstall("nosave");
  Clock clock = StartClock(install);
  ASSERT_NE(clock.hwnd, nullptr);
  MoveTo(clock.hwnd, 150, 200);
  CloseWithSwitch(install, clock);
  EXPECT_FALSE(testkit::PathExists(install.clockIni));
}

TEST(ClockPlace, CloseItemOfThePopupEndsWithoutSaving) {
  Install install = tibbet_e2e::NewInstall("closeitem");
  const std::string ini = "[General]\r\nSavePos=1\r\nTop=1500\r\nLeft=3000\r\n";
  install.WriteClockIni(ini);
  Clock clock = StartClock(install);
  ASSERT_NE(clock.hwnd, nullptr);
  MoveTo(clock.hwnd, 150, 200);
  ASSERT_TRUE(tibbet_e2e::ChoosePopupItem(clock.hwnd, 1));
  EXPECT_TRUE(clock.process.WaitExit(kWait));
  EXPECT_EQ(install.ClockIniText(), ini);
}

TEST(ClockOnTop, ToggleChangesOnlyTheRunningWindow) {
  Install install = tibbet_e2e::NewInstall("ontop");
  const std::string ini = "[General]\r\nOnTop=1\r\n";
  install.WriteClockIni(ini);
  Clock clock = StartClock(install);
  ASSERT_NE(clock.hwnd, nullptr);
  EXPECT_TRUE(IsTopmost(clock.hwnd));

  ASSERT_TRUE(tibbet_e2e::ChoosePopupItem(clock.hwnd, 0));
  for (int i = 0; i < 100 && IsTopmost(clock.hwnd); ++i) Sleep(20);
  EXPECT_FALSE(IsTopmost(clock.hwnd)) << "off";
  ASSERT_TRUE(tibbet_e2e::ChoosePopupItem(clock.hwnd, 0));
  for (int i = 0; i < 100 && !IsTopmost(clock.hwnd); ++i) Sleep(20);
  EXPECT_TRUE(IsTopmost(clock.hwnd)) << "on again";
  ASSERT_TRUE(tibbet_e2e::ChoosePopupItem(clock.hwnd, 0));
  for (int i = 0; i < 100 && IsTopmost(clock.hwnd); ++i) Sleep(20);
  EXPECT_FALSE(IsTopmost(clock.hwnd)) << "off again";
  CloseWithSwitch(install, clock);
  EXPECT_EQ(install.ClockIniText(), ini) << "the toggle is not written";

  Clock next = StartClock(install);
  ASSERT_NE(next.hwnd, nullptr);
  EXPECT_TRUE(IsTopmost(next.hwnd)) << "the next start follows OnTop again";
  CloseWithSwitch(install, next);

  install.WriteClockIni("[General]\r\nOnTop=0\r\n");
  Clock plain = StartClock(install);
  ASSERT_NE(plain.hwnd, nullptr);
  EXPECT_FALSE(IsTopmost(plain.hwnd));
  CloseWithSwitch(install, plain);
}

struct FontCase {
  const char* name;
  const char* ini;
  const char* face;  // what the label is drawn in
};

void PrintTo(const FontCase& c, std::ostream* os) { *os << c.name; }

const FontCase kFonts[] = {
    {"ComicSans", "[General]\r\nFont=3\r\n", "Comic Sans MS"},
    {"SevenKeepsTimesNewRoman", "[General]\r\nFont=7\r\n", "Times New Roman"},
    {"MsSansSerif", "[General]\r\nFont=2\r\n", "MS Sans Serif"},
};

class StartedClockFontTest : public ::testing::TestWithParam<FontCase> {};

TEST_P(StartedClockFontTest, LabelIsDrawnInTheFont) {
  Install install = tibbet_e2e::NewInstall("font");
  install.WriteClockIni(GetParam().ini);
  Clock clock = StartClock(install);
  ASSERT_NE(clock.hwnd, nullptr);
  EXPECT_TRUE(tibbet_e2e::LabelShowsFont(clock.hwnd, GetParam().face));
  // Not in the others, as far as this machine's fonts tell them apart (a
  // font that is not installed is drawn in a stand-in).
  for (const char* other : {"Tahoma", "Times New Roman", "Comic Sans MS", "MS Sans Serif"}) {
    if (tibbet_e2e::FontsDrawAlike(GetParam().face, other)) continue;
    EXPECT_FALSE(tibbet_e2e::LabelShowsFont(clock.hwnd, other)) << other;
  }
  clock.process.Kill();
}

INSTANTIATE_TEST_SUITE_P(Fonts, StartedClockFontTest, ::testing::ValuesIn(kFonts),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ClockClose, CloseSwitchWithoutAClockEndsSilently) {
  Install install = tibbet_e2e::NewInstall("noclock");
  testkit::Process closer = install.Run("-close");
  EXPECT_TRUE(closer.WaitExit(kWait));
  EXPECT_EQ(uidriver::WaitForMessageBox(300, closer.Id()), nullptr);
}

}  // namespace
