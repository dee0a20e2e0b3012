#include "launcher/executor.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "process.h"
#include "settings/show_settings.h"

namespace marlock {

static_assert(show::kHide == SW_HIDE, "show state");
static_assert(show::kNormal == SW_SHOWNORMAL, "show state");
static_assert(show::kMinimized == SW_SHOWMINIMIZED, "show state");
static_assert(show::kMinimizedNoActivate == SW_SHOWMINNOACTIVE, "show state");

namespace {

// No owner window: the clients are started the same with any window of
// the process or none, and creating none keeps a launch fast.
void Run(const ShellStart& s) {
  ShellExecuteA(nullptr, "OPEN", s.file.c_str(), s.parameters.c_str(),
                s.directory.empty() ? nullptr : s.directory.c_str(), s.showState);
}

void Run(const ProcessStart& s) {
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
    CloseHandle(pi.hProcess);
  }
}

void Run(const Message& m) { zarvo::ShowMessage(m.text, m.title, m.style); }

void Run(const OpenSettings&) { ShowSettingsDialog(); }

}  // namespace

void ExecuteStep(const LaunchStep& step) {
  std::visit([](const auto& s) { Run(s); }, step);
}

void ExecutePlan(const LaunchPlan& plan) {
  for (const LaunchStep& step : plan.steps) ExecuteStep(step);
  zarvo::EndProcess();
}

}  // namespace marlock
