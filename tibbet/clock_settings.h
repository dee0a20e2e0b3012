// The settings the clock and its dialog share: the keys of Clock.ini and
// plugin.ini and the clock's fonts. Portable: no Windows headers.
#pragma once
#include <cstddef>

namespace tibbet {

// Both files keep every key in this section.
inline constexpr const char* kSection = "General";

// Clock.ini
inline constexpr const char* kKeyFont = "Font";
inline constexpr const char* kKeySavePos = "SavePos";
inline constexpr const char* kKeyTop = "Top";
inline constexpr const char* kKeyLeft = "Left";
inline constexpr const char* kKeyOnTop = "OnTop";
// plugin.ini, read by Zarvo
inline constexpr const char* kKeyCloseWithZarvo = "CloseWithZarvo";

inline constexpr const char* kClockFileName = "Clock.ini";
inline constexpr const char* kPluginFileName = "plugin.ini";

// The clock's fonts, in the order of their Font index.
inline constexpr const char* kClockFonts[] = {"Tahoma", "Times New Roman", "MS Sans Serif",
                                              "Comic Sans MS", "System"};
inline constexpr size_t kClockFontCount = sizeof kClockFonts / sizeof kClockFonts[0];

// The font name a Font value stands for; nullptr for any value that is not
// one of the indexes 0 to 4 (the clock then keeps its design font).
const char* ClockFontName(double dFontValue);

}  // namespace tibbet
