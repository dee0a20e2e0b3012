// The executor's steps, one file per concern. A run keeps the process it
// started last: the keystrokes that follow are meant for its windows only.
#pragma once
#include <windows.h>

#include "launcher/launch_plan.h"

namespace marlock {

// The handle stays open for the whole run: while it is held, the client's
// process id cannot pass to another process, even after the client ended.
struct Execution {
  HANDLE clientProcess = nullptr;  // null until a start yields a process
  DWORD clientProcessId = 0;
  bool clientWasIdle = false;      // WaitForInputIdle done for this client

  Execution() = default;
  Execution(const Execution&) = delete;
  Execution& operator=(const Execution&) = delete;
  ~Execution() { KeepClient(nullptr); }
  // The client this run drives from now on (the one started last).
  void KeepClient(HANDLE hProcess) {
    if (clientProcess) CloseHandle(clientProcess);
    clientProcess = hProcess;
    clientProcessId = hProcess ? GetProcessId(hProcess) : 0;
    clientWasIdle = false;
  }
};

// executor.cpp: starts, messages, the settings dialog.
void Run(const ShellStart& s, Execution& run);
void Run(const ProcessStart& s, Execution& run);
void Run(const Message& m, Execution& run);
void Run(const OpenSettings& o, Execution& run);
// executor_files.cpp: the macro file and the registry values.
void Run(const WriteTextFile& f, Execution& run);
void Run(const WriteUserRegistryString& v, Execution& run);
void Run(const WriteUserRegistryDword& v, Execution& run);
// executor_automation.cpp
void Run(const Automation& a, Execution& run);
// executor_input.cpp: waits, keys, typed text and the clipboard.
void Run(const PumpEvents& p, Execution& run);
void Run(const SendKeys& k, Execution& run);
void Run(const TypeText& t, Execution& run);
void Run(const PutClipboardText& c, Execution& run);

}  // namespace marlock
