#include "launcher/command_line.h"

#include <gtest/gtest.h>

namespace {

using marlock::StartAction;

struct CommandCase {
  const char* name;
  const char* arguments;
  StartAction action;
  const char* link;
};

// Test names and failure messages show the case's name.
void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }

const CommandCase kCommands[] = {
    {"Empty", "", StartAction::NotFromZarvo, ""},
    {"Link", "-u=ftp://host/", StartAction::LaunchLink, "ftp://host/"},
    {"UpperCaseSwitch", "-U=ftp://host/", StartAction::InvalidCommand, ""},
    {"SwitchNotAtStart", "x-u=ftp://host/pub/", StartAction::LaunchLink, "ftp://host/pub/"},
    {"SetupWinsOverLink", "-u=ftp://host/ -setup", StartAction::ShowSettings,
     "ftp://host/ -setup"},
    {"Setup", "-setup", StartAction::ShowSettings, ""},
    {"UpperCaseSetup", "-SETUP", StartAction::InvalidCommand, ""},
    {"RestOfLineIsLink", "-u=ftp://host/pub/ extra", StartAction::LaunchLink,
     "ftp://host/pub/ extra"},
    {"FirstSwitchCounts", "-u=ftp://a/-u=ftp://b/", StartAction::LaunchLink, "ftp://a/-u=ftp://b/"},
    {"NothingAfterSwitch", "-u=", StartAction::LaunchLink, ""},
    {"Blank", " ", StartAction::InvalidCommand, ""},
    {"Quoted", "\"-u=ftp://h/a b\"", StartAction::LaunchLink, "ftp://h/a b\""},
};

class CommandLineTest : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CommandLineTest, ActionAndLink) {
  const CommandCase& c = GetParam();
  EXPECT_EQ(marlock::ChooseStartAction(c.arguments), c.action);
  EXPECT_EQ(marlock::GetLinkArgument(c.arguments), c.link);
}

INSTANTIATE_TEST_SUITE_P(Commands, CommandLineTest, ::testing::ValuesIn(kCommands),
                         [](const auto& info) { return std::string(info.param.name); });

struct ArgumentCase {
  const char* name;
  const char* full;
  const char* arguments;
};

// Test names and failure messages show the case's name.
void PrintTo(const ArgumentCase& c, std::ostream* os) { *os << c.name; }

const ArgumentCase kArguments[] = {
    {"QuotedProgram", "\"C:\\Zarvo\\Plugins\\Marlock.exe\" -u=ftp://h/", "-u=ftp://h/"},
    {"PlainProgram", "Marlock.exe -setup", "-setup"},
    {"ProgramOnly", "\"C:\\a b\\Marlock.exe\"", ""},
    {"SeveralBlanks", "Marlock.exe   -u=ftp://h/  x ", "-u=ftp://h/  x "},
    {"QuotedProgramNoBlank", "\"Marlock.exe\"-setup", "-setup"},
};

class ArgumentTextTest : public ::testing::TestWithParam<ArgumentCase> {};

TEST_P(ArgumentTextTest, DropsProgramName) {
  EXPECT_EQ(marlock::ArgumentText(GetParam().full), GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, ArgumentTextTest, ::testing::ValuesIn(kArguments),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
