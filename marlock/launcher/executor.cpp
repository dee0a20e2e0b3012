#include "launcher/executor.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "launcher/executor_steps.h"
#include "process.h"
#include "settings/show_settings.h"

namespace marlock {

static_assert(show::kHide == SW_HIDE, "show state");
static_assert(show::kNormal == SW_SHOWNORMAL, "show state");
static_assert(show::kMinimized == SW_SHOWMINIMIZED, "show state");
static_assert(show::kMinimizedNoActivate == SW_SHOWMINNOACTIVE, "show state");

// No owner window: the clients are started the same with any window of
// the process or none, and creating none keeps a launch fast. The process
// is kept so that keystrokes can be checked against it; a start that fails
// leaves no trace (and no client to type into).
void Run(const ShellStart& s, Execution& run) {
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = "OPEN";
  info.lpFile = s.file.c_str();
  info.lpParameters = s.parameters.c_str();
  info.lpDirectory = s.directory.empty() ? nullptr : s.directory.c_str();
  info.nShow = s.showState;
  if (ShellExecuteExA(&info)) run.KeepClient(info.hProcess);
}

void Run(const ProcessStart& s, Execution& run) {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = static_cast<WORD>(s.showState);
  PROCESS_INFORMATION pi = {};
  std::vector<char> commandLine(s.commandLine.begin(), s.commandLine.end());
  commandLine.push_back('\0');
  if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &si, &pi)) {
    CloseHandle(pi.hThread);
    run.KeepClient(pi.hProcess);
  }
}

void Run(const Message& m, Execution&) { zarvo::ShowMessage(m.text, m.title, m.style); }

void Run(const OpenSettings&, Execution&) { ShowSettingsDialog(); }

void ExecuteStep(const LaunchStep& step, Execution& run) {
  std::visit([&run](const auto& s) { Run(s, run); }, step);
}

void ExecutePlan(const LaunchPlan& plan) {
  Execution run;
  for (const LaunchStep& step : plan.steps) ExecuteStep(step, run);
  zarvo::EndProcess();
}

}  // namespace marlock
