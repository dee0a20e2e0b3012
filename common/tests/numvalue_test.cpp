#include "numvalue.h"

#include <gtest/gtest.h>

namespace {

struct NumberCase {
  const char* name;
  const char* text;
  double value;
  bool flag;
};

// Test names and failure messages show the case's name.
void PrintTo(const NumberCase& c, std::ostream* os) { *os << c.name; }

const NumberCase kNumbers[] = {
    {"Empty", "", 0, false},
    {"One", "1", 1, true},
    {"LeadingBlank", " 1", 1, true},
    {"LeadingTab", "\t1", 1, true},
    {"Two", "2", 2, false},
    {"Yes", "yes", 0, false},
    {"NotConfigured", "255", 255, false},
    {"TrailingWord", "12abc", 12, false},
    {"OneWithFraction", "1.0", 1, true},
    {"Fraction", "1.5", 1.5, false},
    {"Negative", "-3", -3, false},
    {"Exponent", "1e2", 100, false},
    {"ExponentWithoutDigits", "1e", 1, true},
    {"SignOnly", "-", 0, false},
    {"PointOnly", ".", 0, false},
    {"InnerBlank", "1 2", 1, true},
    {"Huge", "99999999999999999999", 1e20, false},
};

class NumericValueTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumericValueTest, ValueAndFlag) {
  const NumberCase& c = GetParam();
  EXPECT_DOUBLE_EQ(zarvo::NumericValue(c.text), c.value) << "text \"" << c.text << "\"";
  EXPECT_EQ(zarvo::IsFlagSet(c.text), c.flag) << "text \"" << c.text << "\"";
}

INSTANTIATE_TEST_SUITE_P(Texts, NumericValueTest, ::testing::ValuesIn(kNumbers),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FlagText, WritesZeroOrOne) {
  EXPECT_STREQ(zarvo::FlagText(true), "1");
  EXPECT_STREQ(zarvo::FlagText(false), "0");
}

TEST(WholeNumber, RoundsAndClamps) {
  EXPECT_EQ(zarvo::WholeNumber(3.0), 3);
  EXPECT_EQ(zarvo::WholeNumber(2.5), 2);
  EXPECT_EQ(zarvo::WholeNumber(3.5), 4);
  EXPECT_EQ(zarvo::WholeNumber(-0.4), 0);
  EXPECT_EQ(zarvo::WholeNumber(1e20), 2147483647);
  EXPECT_EQ(zarvo::WholeNumber(-1e20), -2147483647 - 1);
}

}  // namespace
