// Where the clock window may open. Portable: no Windows headers, so the
// rule is tested natively with monitor layouts of any shape.
#pragma once
#include <vector>

namespace tibbet {

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Box& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

// A remembered place stays exactly as it is while any part of the window
// lies in the work area of some monitor. A place outside every work area
// (a monitor that has gone, a smaller screen) is moved onto the nearest work
// area, as little as possible and wholly inside it where it fits, so the
// user can reach the title bar again. Without work areas the place stays.
Box KeepReachable(const Box& window, const std::vector<Box>& workAreas);

}  // namespace tibbet
