// A launch decided as a plain value: what the executor is to do, step by
// step, before the process ends. Portable: no Windows headers; the executor
// (executor.h) carries a plan out with Win32 calls.
#pragma once
#include <string>
#include <variant>
#include <vector>

namespace marlock {

// Show states in Win32 terms (the executor checks them against <windows.h>).
namespace show {
inline constexpr int kHide = 0;              // SW_HIDE
inline constexpr int kNormal = 1;            // SW_SHOWNORMAL
inline constexpr int kMinimized = 2;         // SW_SHOWMINIMIZED: minimized and activated
inline constexpr int kMinimizedNoActivate = 7;  // SW_SHOWMINNOACTIVE: the active window stays active
}  // namespace show

// ShellExecuteA with the verb "OPEN": the file, its parameters, the working
// directory and the show state.
struct ShellStart {
  std::string file;
  std::string parameters;
  std::string directory;
  int showState = show::kHide;
  bool operator==(const ShellStart& o) const {
    return file == o.file && parameters == o.parameters && directory == o.directory &&
           showState == o.showState;
  }
};

// A new process from a whole command line, started with STARTF_USESHOWWINDOW
// and the show state, in Marlock's own working directory.
struct ProcessStart {
  std::string commandLine;
  int showState = show::kMinimizedNoActivate;
  bool operator==(const ProcessStart& o) const {
    return commandLine == o.commandLine && showState == o.showState;
  }
};

// A message box without owner window, OK only.
struct Message {
  std::string text;
  std::string title;
  unsigned style = 16;  // critical stop, OK only
  bool operator==(const Message& o) const {
    return text == o.text && title == o.title && style == o.style;
  }
};

// The settings dialog instead of a client; the process ends when it closes.
struct OpenSettings {
  bool operator==(const OpenSettings&) const { return true; }
};

// Further kinds of step (writing the macro file, registry values, automation
// calls, keystrokes and waits of the scripted clients) join this list.
using LaunchStep = std::variant<ShellStart, ProcessStart, Message, OpenSettings>;

// The steps, in order. The process ends after the last one; an empty plan
// ends it at once.
struct LaunchPlan {
  std::vector<LaunchStep> steps;
};

// "\"" path "\"", one blank, then the parameters (which mostly begin with a
// blank of their own): the command line of the minimized start.
std::string QuotedCommandLine(const std::string& sPath, const std::string& sParameters);

}  // namespace marlock
