// A launch decided as a plain value: what the executor is to do, step by
// step, before the process ends. Portable: no Windows headers; the executor
// (executor.h) carries a plan out with Win32 calls.
#pragma once
#include <cstdint>
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

// A text file created anew (an existing one is overwritten), each line
// ended by CR LF, in the ANSI code page. It stays after the launch.
struct WriteTextFile {
  std::string path;
  std::vector<std::string> lines;
  bool operator==(const WriteTextFile& o) const { return path == o.path && lines == o.lines; }
};

// A string value (REG_SZ, the data without a terminating NUL) under the
// current user's root; the key is created when missing.
struct WriteUserRegistryString {
  std::string keyPath;
  std::string valueName;
  std::string text;
  bool operator==(const WriteUserRegistryString& o) const {
    return keyPath == o.keyPath && valueName == o.valueName && text == o.text;
  }
};

// A 32-bit number value (REG_DWORD) under the current user's root.
struct WriteUserRegistryDword {
  std::string keyPath;
  std::string valueName;
  uint32_t number = 0;
  bool operator==(const WriteUserRegistryDword& o) const {
    return keyPath == o.keyPath && valueName == o.valueName && number == o.number;
  }
};

// One late-bound call on an automation object: a property set or a method
// call with one argument.
struct AutomationCall {
  enum class Kind { PropertyPut, Method };
  Kind kind = Kind::Method;
  std::string name;
  std::variant<std::string, bool> argument;
  bool operator==(const AutomationCall& o) const {
    return kind == o.kind && name == o.name && argument == o.argument;
  }
};

// An automation object created by its programmatic identifier, the calls
// in order, and the object released at once after the last. A failure to
// create it, or inside a call, ends the run with a message.
struct Automation {
  std::string progId;
  std::vector<AutomationCall> calls;
  bool operator==(const Automation& o) const { return progId == o.progId && calls == o.calls; }
};

// Counted passes over this process's message queue, no sleep in between.
// For the keystroke clients it is the least pause before the next key.
struct PumpEvents {
  int passes = 0;
  bool operator==(const PumpEvents& o) const { return passes == o.passes; }
};

// Keys in the sequence notation: "%" before a character holds Alt, "^"
// holds Ctrl, "%" alone presses Alt, "{ENTER}", "{TAB}" and "{ESC}" are the
// named keys. Only the fixed parts of a client's sequence are written so.
struct SendKeys {
  std::string keys;
  bool operator==(const SendKeys& o) const { return keys == o.keys; }
};

// Text typed character by character as itself: a link, a user name or a
// password never acts as key notation.
struct TypeText {
  std::string text;
  bool operator==(const TypeText& o) const { return text == o.text; }
};

// The clipboard cleared, then holding the text as plain text.
struct PutClipboardText {
  std::string text;
  bool operator==(const PutClipboardText& o) const { return text == o.text; }
};

using LaunchStep =
    std::variant<ShellStart, ProcessStart, Message, OpenSettings, WriteTextFile,
                 WriteUserRegistryString, WriteUserRegistryDword, Automation, PumpEvents,
                 SendKeys, TypeText, PutClipboardText>;

// The steps, in order. The process ends after the last one; an empty plan
// ends it at once.
struct LaunchPlan {
  std::vector<LaunchStep> steps;
};

// "\"" path "\"", one blank, then the parameters (which mostly begin with a
// blank of their own): the command line of the minimized start.
std::string QuotedCommandLine(const std::string& sPath, const std::string& sParameters);

}  // namespace marlock
