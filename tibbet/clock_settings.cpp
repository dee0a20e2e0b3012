#include "clock_settings.h"

namespace tibbet {

const char* ClockFontName(double dFontValue) {
  for (size_t i = 0; i < kClockFontCount; ++i) {
    if (dFontValue == static_cast<double>(i)) return kClockFonts[i];
  }
  return nullptr;
}

}  // namespace tibbet
