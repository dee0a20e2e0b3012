// A scratch installation of Tibbet for end-to-end tests and the benchmark:
// a copy of the real Tibbet.exe in a folder of its own, where its Clock.ini
// and Zarvo's plugin.ini live.
#pragma once
#include <string>

#include "testkit.h"
#include "uidriver.h"

namespace tibbet_e2e {

struct Install {
  std::string dir;        // the folder of the copy
  std::string exe;        // ...\Tibbet.exe
  std::string clockIni;   // ...\Clock.ini
  std::string pluginIni;  // ...\plugin.ini

  // Starts this copy with the argument text.
  testkit::Process Run(const std::string& sArguments) const;
  // Writes Clock.ini as raw text.
  void WriteClockIni(const std::string& sText) const;
  // The bytes of a file; empty when it does not exist.
  std::string ClockIniText() const;
  std::string PluginIniText() const;
};

Install NewInstall(const std::string& sTag);

// The path of the built Tibbet.exe.
std::string TibbetExe();

// A top-level window of one process with this caption; polls until the
// timeout. nullptr when none came.
HWND WaitForWindowOf(DWORD dwProcessId, const char* sCaption, DWORD dwTimeoutMs);

// A window's outer place in screen twips (15 a pixel at 96 dots per inch).
RECT WindowRectTwips(HWND hwnd);
bool IsTopmost(HWND hwnd);

// The clock's label (the time).
HWND ClockLabel(HWND hwndClock);

// Right-clicks the clock's label, waits for its pop-up menu and chooses the
// item iItem (0 "&Always on top", 1 "&Close") with the keyboard. False when
// no menu came.
bool ChoosePopupItem(HWND hwndClock, int iItem);

// Whether the clock's label, as it is on the screen, shows its text in the
// font sFace (of the clock's size): compared pixel by pixel with the same
// text drawn here. The time may turn a second meanwhile; it is read again.
bool LabelShowsFont(HWND hwndClock, const char* sFace);

// Whether two font names draw the clock's text alike on this machine (a
// font that is not installed falls back to another one).
bool FontsDrawAlike(const char* sFaceA, const char* sFaceB);

}  // namespace tibbet_e2e
