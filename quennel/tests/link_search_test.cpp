// Finding the lowered search text in a lowered link text.
#include <gtest/gtest.h>

#include <string>

#include "link_search.h"

namespace {

using quennel::FindInText;

// A double-byte code page where 0x81 to 0x9F begin a two-byte character,
// as in Shift-JIS.
const bool* ShiftJisLeadBytes() {
  static bool table[256] = {};
  for (int b = 0x81; b <= 0x9F; ++b) table[b] = true;
  return table;
}

struct Case {
  const char* name;
  std::string text;
  std::string needle;
  bool doubleByte;
  size_t expected;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

const size_t npos = std::string::npos;

const Case kCases[] = {
    {"InTheMiddle", "download", "load", false, 4},
    {"FirstOfTwo", "cab cab", "ab", false, 1},
    {"AtTheStart", "home page", "home", false, 0},
    {"AtTheEnd", "read more", "more", false, 5},
    {"Space", "read more", " ", false, 4},
    {"Missing", "download", "upload", false, npos},
    {"LongerThanText", "ab", "abc", false, npos},
    {"EmptyNeedle", "download", "", false, npos},
    {"EmptyText", "", "a", false, npos},
    // In a double-byte code page a match never starts on a trail byte:
    // 0x81 0x61 is one character whose second byte reads 'a'.
    {"TrailByteSkipped", "\x81" "a" "xa", "a", true, 3},
    {"TrailByteOnly", "\x81" "a", "a", true, npos},
    {"AfterDoubleByte", "\x81\x40" "load", "load", true, 2},
    {"SingleByteSeesTrail", "\x81" "a" "xa", "a", false, 1},
    {"LeadByteAtEnd", "ab\x81", "b\x81", true, 1},
};

class FindInTextTest : public ::testing::TestWithParam<Case> {};

TEST_P(FindInTextTest, FindsFirstWholeCharacterMatch) {
  const Case& c = GetParam();
  EXPECT_EQ(FindInText(c.text, c.needle, c.doubleByte ? ShiftJisLeadBytes() : nullptr), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, FindInTextTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
