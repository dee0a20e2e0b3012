// Which switches a command line holds: found anywhere, case-sensitively.
#include "command_line.h"

#include <gtest/gtest.h>

namespace {

using tibbet::ArgumentText;
using tibbet::ParseSwitches;
using tibbet::Switches;

struct SwitchCase {
  const char* name;
  const char* arguments;
  bool notFromZarvo, startup, setup, close;
};

void PrintTo(const SwitchCase& c, std::ostream* os) { *os << c.name; }

const SwitchCase kSwitchCases[] = {
    {"Empty", "", true, false, false, false},
    {"Startup", "-startup", false, true, false, false},
    {"Setup", "-setup", false, false, true, false},
    {"Close", "-close", false, false, false, true},
    {"CapitalsAreNoSwitch", "-STARTUP", false, false, false, false},
    {"MixedCaseIsNoSwitch", "-Setup -Close", false, false, false, false},
    {"InsideOtherText", "x-startupy", false, true, false, false},
    {"AllThree", "-close -setup -startup", false, true, true, true},
    {"UnknownWord", "hello", false, false, false, false},
    {"BlankOnly", " ", false, false, false, false},
};

class SwitchTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(SwitchTest, FindsEachSwitch) {
  const SwitchCase& c = GetParam();
  Switches s = ParseSwitches(c.arguments);
  EXPECT_EQ(s.notFromZarvo, c.notFromZarvo);
  EXPECT_EQ(s.startup, c.startup);
  EXPECT_EQ(s.setup, c.setup);
  EXPECT_EQ(s.close, c.close);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, SwitchTest, ::testing::ValuesIn(kSwitchCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ArgumentText, DropsTheProgramNameAndTheBlanksAfterIt) {
  EXPECT_EQ(ArgumentText("\"C:\\Program Files\\Zarvo\\Tibbet.exe\" -startup"), "-startup");
  EXPECT_EQ(ArgumentText("Tibbet.exe   -close"), "-close");
  EXPECT_EQ(ArgumentText("Tibbet.exe"), "");
  EXPECT_EQ(ArgumentText("\"C:\\a b\\Tibbet.exe\""), "");
  EXPECT_EQ(ArgumentText("\"C:\\a b\\Tibbet.exe\"   "), "");
  EXPECT_EQ(ArgumentText("Tibbet.exe -setup  x "), "-setup  x ");
}

}  // namespace
