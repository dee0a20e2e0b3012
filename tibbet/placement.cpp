#include "placement.h"

#include <algorithm>
#include <cstdint>

namespace tibbet {

namespace {

bool Overlaps(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The gap between two boxes along one axis; 0 where their spans meet.
int64_t Gap(int aLow, int aHigh, int bLow, int bHigh) {
  if (aHigh <= bLow) return static_cast<int64_t>(bLow) - aHigh;
  if (bHigh <= aLow) return static_cast<int64_t>(aLow) - bHigh;
  return 0;
}

// Squared distance between the two boxes' nearest points.
int64_t DistanceSquared(const Box& a, const Box& b) {
  int64_t dx = Gap(a.left, a.right, b.left, b.right);
  int64_t dy = Gap(a.top, a.bottom, b.top, b.bottom);
  return dx * dx + dy * dy;
}

// The start of a span of length iSize moved into [iLow, iHigh); a span
// longer than the room keeps its start at iLow.
int Clamp(int iStart, int iSize, int iLow, int iHigh) {
  int64_t start = iStart;
  if (start + iSize > iHigh) start = static_cast<int64_t>(iHigh) - iSize;
  if (start < iLow) start = iLow;
  return static_cast<int>(start);
}

}  // namespace

Box KeepReachable(const Box& window, const std::vector<Box>& workAreas) {
  const Box* nearest = nullptr;
  int64_t best = 0;
  for (const Box& area : workAreas) {
    if (area.Width() <= 0 || area.Height() <= 0) continue;
    if (Overlaps(window, area)) return window;
    int64_t d = DistanceSquared(window, area);
    if (!nearest || d < best) {
      nearest = &area;
      best = d;
    }
  }
  if (!nearest) return window;
  Box moved;
  moved.left = Clamp(window.left, window.Width(), nearest->left, nearest->right);
  moved.top = Clamp(window.top, window.Height(), nearest->top, nearest->bottom);
  moved.right = moved.left + window.Width();
  moved.bottom = moved.top + window.Height();
  return moved;
}

}  // namespace tibbet
