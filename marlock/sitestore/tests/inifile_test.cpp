// cInifile on real files through the profile functions, and its keeping of
// a form's place on the screen.
#include "sitestore/inifile.h"

#include <gtest/gtest.h>

#include "testkit.h"

namespace {

using marlock::cInifile;
using zarvo::forms::Form;

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = testkit::NewScratchDir("inifile") + "\\test.ini";
    ini_.Path(path_);
  }
  void WriteText(const std::string& s) { testkit::WriteFileBytes(path_, s); }
  std::string Text() const { return testkit::ReadFileBytes(path_); }

  std::string path_;
  cInifile ini_;
};

TEST_F(IniFileTest, MissingKeyReturnsTheCurrentDefault) {
  WriteText("[s]\r\nk=v\r\n");
  ini_.Section("s");
  ini_.Key("missing");
  EXPECT_EQ(ini_.Value(), "");
  ini_.Default("fallback");
  EXPECT_EQ(ini_.Value(), "fallback");
  ini_.Key("k");
  EXPECT_EQ(ini_.Value(), "v");
  ini_.Section("other");
  EXPECT_EQ(ini_.Value(), "fallback");
}

TEST_F(IniFileTest, ValueIsReadThroughA255CharacterBuffer) {
  ini_.Section("s");
  ini_.Key("long");
  ini_.Value(std::string(300, 'x'));
  EXPECT_EQ(ini_.Value(), std::string(254, 'x'));
}

TEST_F(IniFileTest, SuccessFollowsTheLastWrite) {
  EXPECT_FALSE(ini_.Success()) << "a fresh object";
  EXPECT_EQ(ini_.LastReturnCode(), 0);
  ini_.Section("s");
  ini_.Key("k");
  std::string sValue = "v";
  ini_.Value(sValue);
  EXPECT_TRUE(ini_.Success());
  (void)ini_.Value();
  EXPECT_TRUE(ini_.Success()) << "reads leave it alone";

  cInifile nowhere;
  nowhere.Path(path_ + ".missing-folder\\x\\test.ini");
  nowhere.Section("s");
  nowhere.Key("k");
  nowhere.Value("v");
  EXPECT_FALSE(nowhere.Success()) << "a write that failed";
}

TEST_F(IniFileTest, WrittenValuesLoseTheirNuls) {
  ini_.Section("s");
  ini_.Key("k");
  std::string sValue("a\0b\0\0c", 6);
  ini_.Value(sValue);
  EXPECT_EQ(sValue, "abc") << "the caller's string loses them too";
  EXPECT_EQ(Text(), "[s]\r\nk=abc\r\n");
}

TEST_F(IniFileTest, DeletingKeysAndSections) {
  WriteText("[a]\r\nx=1\r\ny=2\r\n[b]\r\nz=3\r\n[c]\r\nw=4\r\n");
  ini_.Section("a");
  ini_.Key("x");
  ini_.DeleteKey();
  EXPECT_TRUE(ini_.Success());
  ini_.Section("b");
  ini_.DeleteSection();
  EXPECT_TRUE(ini_.Success());
  ini_.Section("c");
  ini_.INISection("anything");  // a section written without key is removed
  EXPECT_TRUE(ini_.Success());
  EXPECT_EQ(Text(), "[a]\r\ny=2\r\n");
}

TEST_F(IniFileTest, EnumerationsKeepEmptyKeysAndSkipEmptySections) {
  WriteText("[s]\r\na=1\r\n=2\r\nb=3\r\n[]\r\nk=v\r\n[t]\r\nc=4\r\n");
  std::vector<std::string> names = {"stale"};
  int32_t count = -1;
  ini_.Section("s");
  ini_.EnumerateCurrentSection(names, count);
  EXPECT_EQ(names, (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(count, 3);
  ini_.EnumerateAllSections(names, count);
  EXPECT_EQ(names, (std::vector<std::string>{"s", "t"}));
  EXPECT_EQ(count, 2);
}

TEST_F(IniFileTest, EmptyFileAndEmptySectionGiveNothing) {
  for (const char* sText : {"", "[s]\r\n"}) {
    WriteText(sText);
    std::vector<std::string> names = {"stale"};
    int32_t count = -1;
    ini_.Section("s");
    ini_.EnumerateCurrentSection(names, count);
    EXPECT_TRUE(names.empty()) << "\"" << sText << "\"";
    EXPECT_EQ(count, 0);
    if (!*sText) {
      names = {"stale"};
      ini_.EnumerateAllSections(names, count);
      EXPECT_TRUE(names.empty());
      EXPECT_EQ(count, 0);
    }
  }
}

struct NumberCase {
  const char* name;
  const char* text;
  int32_t expected;
};

void PrintTo(const NumberCase& c, std::ostream* os) { *os << c.name; }

const NumberCase kNumbers[] = {
    {"Whole", "1234", 1234},          {"Negative", "-17", -17},
    {"Blanks", "  42 ", 42},          {"HalfDownToEven", "12.5", 12},
    {"HalfUpToEven", "13.5", 14},     {"Word", "FAIL", -1},
    {"Empty", "", -1},                {"TooLarge", "99999999999", -1},
    {"Trailing", "12abc", -1},
};

class CLngDefaultTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(CLngDefaultTest, ConvertsOrFallsBack) {
  EXPECT_EQ(cInifile::CLngDefault(GetParam().text, -1), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, CLngDefaultTest, ::testing::ValuesIn(kNumbers),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- form positions

const zarvo::forms::ControlSpec kControls[] = {
    {"cmdOK", 1, zarvo::forms::Kind::Button, "OK", 120, 120, 1200, 375},
};
const zarvo::forms::FormSpec kSpec = {"Position Test", 4500, 3000, "Tahoma", 825,
                                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                          WS_MAXIMIZEBOX | WS_MINIMIZEBOX};

class frmPlace : public zarvo::forms::FormOf<frmPlace> {
 public:
  frmPlace() : FormOf(kSpec, kControls, std::size(kControls), nullptr, 0) {}
};

RECT PlaceTwips(const Form& form) {
  RECT r;
  GetWindowRect(form.Hwnd(), &r);
  return {Form::PixelsToTwipsX(r.left), Form::PixelsToTwipsY(r.top),
          Form::PixelsToTwipsX(r.right), Form::PixelsToTwipsY(r.bottom)};
}

class FormPositionTest : public IniFileTest {
 protected:
  void SetUp() override {
    IniFileTest::SetUp();
    ini_.Section("Window");
    ini_.Key("Current");
    ini_.Default("Mine");
    form_.Load();
    pixel_ = Form::PixelsToTwipsX(1);
    screenW_ = Form::PixelsToTwipsX(GetSystemMetrics(SM_CXSCREEN));
    screenH_ = Form::PixelsToTwipsY(GetSystemMetrics(SM_CYSCREEN));
  }
  void ExpectKeyAndDefaultKept() {
    EXPECT_EQ(ini_.Key(), "Current");
    EXPECT_EQ(ini_.Default(), "Mine");
  }
  frmPlace form_;
  int pixel_ = 15, screenW_ = 0, screenH_ = 0;
};

TEST_F(FormPositionTest, SaveWritesStateThenPlace) {
  MoveWindow(form_.Hwnd(), 100, 50, 300, 200, FALSE);
  ini_.SaveFormPosition(form_);
  EXPECT_TRUE(ini_.Success());
  RECT t = PlaceTwips(form_);
  EXPECT_EQ(Text(), testkit::IniText({{"Window",
                                       {{"Maximised", "0"},
                                        {"Left", std::to_string(t.left)},
                                        {"Top", std::to_string(t.top)},
                                        {"Width", std::to_string(t.right - t.left)},
                                        {"Height", std::to_string(t.bottom - t.top)}}}}));
  ExpectKeyAndDefaultKept();
}

TEST_F(FormPositionTest, SaveOfMaximisedWindowWritesOnlyMaximised) {
  WriteText("[Window]\r\nLeft=1\r\nTop=2\r\nWidth=3000\r\nHeight=4000\r\n");
  form_.Show();
  form_.SetWindowState(2);
  ASSERT_EQ(form_.WindowState(), 2);
  ini_.SaveFormPosition(form_);
  EXPECT_EQ(Text(), "[Window]\r\nLeft=1\r\nTop=2\r\nWidth=3000\r\nHeight=4000\r\nMaximised=1\r\n");
  form_.SetWindowState(1);
  ASSERT_EQ(form_.WindowState(), 1);
  ini_.SaveFormPosition(form_);
  EXPECT_EQ(Text(), "[Window]\r\nLeft=1\r\nTop=2\r\nWidth=3000\r\nHeight=4000\r\nMaximised=1\r\n")
      << "a minimised window writes nothing";
  ExpectKeyAndDefaultKept();
}

TEST_F(FormPositionTest, LoadOnEmptySectionKeepsPlaceWithinLimits) {
  MoveWindow(form_.Hwnd(), 200, 100, 300, 200, FALSE);
  const RECT before = PlaceTwips(form_);
  ini_.LoadFormPosition(form_, 0, 0);
  RECT after = PlaceTwips(form_);
  EXPECT_NEAR(after.left, before.left, pixel_);
  EXPECT_NEAR(after.top, before.top, pixel_);
  EXPECT_NEAR(after.right, before.right, pixel_);
  EXPECT_NEAR(after.bottom, before.bottom, pixel_);
  EXPECT_EQ(form_.WindowState(), 0) << "not maximised";
  ExpectKeyAndDefaultKept();

  // Raised to the limits; a window off the screen's corner comes 4 pixels in.
  MoveWindow(form_.Hwnd(), -50, -30, 300, 200, FALSE);
  ini_.LoadFormPosition(form_, 6000, 4500);
  after = PlaceTwips(form_);
  EXPECT_NEAR(after.left, 4 * pixel_, pixel_);
  EXPECT_NEAR(after.top, 4 * pixel_, pixel_);
  EXPECT_NEAR(after.right - after.left, 6000, pixel_);
  EXPECT_NEAR(after.bottom - after.top, 4500, pixel_);
  EXPECT_FALSE(testkit::PathExists(path_)) << "loading writes nothing";
}

TEST_F(FormPositionTest, LoadKeepsTheWindowOnTheScreen) {
  struct Case {
    const char* name;
    int left, top, width, height, minWidth;
    bool moved;
    int expLeft, expWidth;  // 0 for expLeft: 4 pixels in
  } const cases[] = {
      {"AsSaved", 1500, 1200, 4000, 3000, 0, true, 1500, 4000},
      {"PulledBackFromTheRight", screenW_ - 2000, 1200, 4000, 3000, 0, true,
       screenW_ - 4 * pixel_ - 4000, 4000},
      {"WiderThanScreenIsCut", 3000, 1200, screenW_ + 5000, 3000, 0, true, 4 * pixel_,
       screenW_ - 8 * pixel_},
      {"CutBelowMinimumNotMoved", 3000, 1200, screenW_ + 5000, 3000, screenW_ + 100, false, 0, 0},
  };
  for (const Case& c : cases) {
    MoveWindow(form_.Hwnd(), 10, 10, 100, 80, FALSE);
    const RECT before = PlaceTwips(form_);
    WriteText("[Window]\r\nLeft=" + std::to_string(c.left) + "\r\nTop=" + std::to_string(c.top) +
              "\r\nWidth=" + std::to_string(c.width) + "\r\nHeight=" + std::to_string(c.height) +
              "\r\n");
    ini_.LoadFormPosition(form_, c.minWidth, 0);
    const RECT after = PlaceTwips(form_);
    if (!c.moved) {
      EXPECT_EQ(after.left, before.left) << c.name;
      EXPECT_EQ(after.right, before.right) << c.name;
      continue;
    }
    EXPECT_NEAR(after.left, c.expLeft, pixel_) << c.name;
    EXPECT_NEAR(after.right - after.left, c.expWidth, pixel_) << c.name;
    EXPECT_NEAR(after.top, c.top, pixel_) << c.name;
    EXPECT_NEAR(after.bottom - after.top, c.height, pixel_) << c.name;
  }
  EXPECT_LE(PlaceTwips(form_).right, screenW_);
  EXPECT_GT(screenH_, 0);
}

TEST_F(FormPositionTest, LoadMaximisesWhenSavedSo) {
  WriteText("[Window]\r\nMaximised=1\r\n");
  ini_.LoadFormPosition(form_, 0, 0);
  EXPECT_EQ(form_.WindowState(), 2);
  form_.Show();
  EXPECT_TRUE(IsZoomed(form_.Hwnd())) << "shown maximised";
}

TEST_F(FormPositionTest, FailedCallsClearSuccess) {
  ini_.Key("k");
  ini_.Value("v");
  ASSERT_TRUE(ini_.Success());
  ini_.Key("Current");
  frmPlace unloaded;  // no window: the call fails
  ini_.LoadFormPosition(unloaded, 0, 0);
  EXPECT_FALSE(ini_.Success());
  ExpectKeyAndDefaultKept();
  ini_.Value("v");
  ASSERT_TRUE(ini_.Success());
  ini_.SaveFormPosition(unloaded);
  EXPECT_FALSE(ini_.Success());
  ExpectKeyAndDefaultKept();
}

}  // namespace
