// Where a remembered clock place ends up, for monitor layouts that this
// machine cannot show: a visible place stays exactly, a lost one comes back
// onto the nearest work area.
#include "placement.h"

#include <gtest/gtest.h>

namespace {

using tibbet::Box;
using tibbet::KeepReachable;

// The clock is 112 x 45 pixels with its frame; any size does.
Box At(int iLeft, int iTop) { return {iLeft, iTop, iLeft + 112, iTop + 45}; }

const Box kMain = {0, 0, 1920, 1040};           // taskbar below
const Box kRight = {1920, 0, 3200, 1024};       // a second monitor to the right
const Box kLeftAbove = {-1280, -600, 0, 424};   // one to the left, raised
const Box kSmall = {0, 0, 1024, 738};

struct PlaceCase {
  const char* name;
  Box window;
  std::vector<Box> areas;
  Box expected;
};

void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }

const PlaceCase kPlaceCases[] = {
    {"VisibleKeptExactly", At(683, 0), {kMain}, At(683, 0)},
    {"PartlyOffTheRightEdgeKept", At(1900, 10), {kMain}, At(1900, 10)},
    {"PartlyAboveTheTopKept", At(100, -30), {kMain}, At(100, -30)},
    {"OnTheSecondMonitorKept", At(2500, 300), {kMain, kRight}, At(2500, 300)},
    {"OnARaisedLeftMonitorKept", At(-900, -500), {kMain, kLeftAbove}, At(-900, -500)},
    {"GoneRightMonitorToNearestEdge", At(2500, 300), {kMain}, At(1920 - 112, 300)},
    {"FarRightOfSmallScreen", At(4000, 0), {kSmall}, At(1024 - 112, 0)},
    {"FarBelow", At(300, 5000), {kSmall}, At(300, 738 - 45)},
    {"FarUpAndLeft", At(-5000, -5000), {kSmall}, At(0, 0)},
    {"InTheTaskbarStrip", At(500, 1045), {kMain}, At(500, 1040 - 45)},
    {"TouchingTheEdgeIsOutside", At(1920, 0), {kMain}, At(1920 - 112, 0)},
    {"NearestOfTwo", At(3300, 900), {kMain, kRight}, At(3200 - 112, 900)},
    {"NearestOfTwoToTheLeft", At(-1500, 700), {kMain, kLeftAbove},
     At(-1280, 424 - 45)},
    {"LargerThanTheArea", {5000, 0, 5300, 100}, {{0, 0, 200, 50}}, {0, 0, 300, 100}},
    {"NoMonitorsKeepsThePlace", At(60000, 0), {}, At(60000, 0)},
    {"EmptyAreasIgnored", At(4000, 0), {{0, 0, 0, 0}, kSmall}, At(1024 - 112, 0)},
};

class PlaceTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceTest, KeepsTheWindowReachable) {
  const PlaceCase& c = GetParam();
  Box got = KeepReachable(c.window, c.areas);
  EXPECT_EQ(got.left, c.expected.left);
  EXPECT_EQ(got.top, c.expected.top);
  EXPECT_EQ(got.Width(), c.window.Width()) << "the size never changes";
  EXPECT_EQ(got.Height(), c.window.Height());
}

INSTANTIATE_TEST_SUITE_P(Layouts, PlaceTest, ::testing::ValuesIn(kPlaceCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Placement, ExtremeValuesDoNotOverflow) {
  Box far = {2147483000, 2147483000, 2147483112, 2147483045};
  Box got = KeepReachable(far, {kSmall});
  EXPECT_EQ(got.left, 1024 - 112);
  EXPECT_EQ(got.top, 738 - 45);
  Box low = {-2147483000, -2147483000, -2147482888, -2147482955};
  got = KeepReachable(low, {kSmall});
  EXPECT_EQ(got.left, 0);
  EXPECT_EQ(got.top, 0);
}

}  // namespace
