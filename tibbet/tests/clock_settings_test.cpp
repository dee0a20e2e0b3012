// The Font value and the name it stands for.
#include "clock_settings.h"

#include <gtest/gtest.h>

#include "numvalue.h"

namespace {

struct FontCase {
  const char* name;
  const char* stored;
  const char* font;  // nullptr: the design font stays
};

void PrintTo(const FontCase& c, std::ostream* os) { *os << c.name; }

const FontCase kFontCases[] = {
    {"Tahoma", "0", "Tahoma"},
    {"TimesNewRoman", "1", "Times New Roman"},
    {"MsSansSerif", "2", "MS Sans Serif"},
    {"ComicSans", "3", "Comic Sans MS"},
    {"System", "4", "System"},
    {"LeadingBlanksAndTail", "  3xyz", "Comic Sans MS"},
    {"NoNumberCountsAsZero", "abc", "Tahoma"},
    {"Seven", "7", nullptr},
    {"Negative", "-1", nullptr},
    {"Fraction", "2.5", nullptr},
    {"Exponent", "3e0", "Comic Sans MS"},
};

class FontTest : public ::testing::TestWithParam<FontCase> {};

TEST_P(FontTest, NameOfStoredValue) {
  const FontCase& c = GetParam();
  const char* got = tibbet::ClockFontName(zarvo::NumericValue(c.stored));
  if (!c.font) {
    EXPECT_EQ(got, nullptr);
  } else {
    ASSERT_NE(got, nullptr);
    EXPECT_STREQ(got, c.font);
  }
}

INSTANTIATE_TEST_SUITE_P(Values, FontTest, ::testing::ValuesIn(kFontCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
