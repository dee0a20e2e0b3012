// The clock's running cost against the least a clock can be.
//
//   clock_bench [--seconds N] [--check]
//
// Starts a scratch copy of Tibbet.exe (-startup, default settings) and the
// baseline (a window with a label and a one-second timer) side by side,
// lets both settle, then measures the CPU time each spends over N seconds
// (default 60) with GetProcessTimes, and reports the ratio. Under Wine the
// same run also reads the kernel's own accounts of the two processes
// (/proc: CPU time in nanoseconds, and how often the main thread went to
// sleep and woke), which are finer than GetProcessTimes' 10 ms steps.
// --check exits with 1 when the ratio is above 1.5.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tibbet_e2e.h"

namespace {

double CpuSeconds(HANDLE hProcess) {
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(hProcess, &created, &exited, &kernel, &user)) return -1;
  auto value = [](const FILETIME& f) {
    return static_cast<double>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) |
                               f.dwLowDateTime) / 1e7;
  };
  return value(kernel) + value(user);
}

std::string ReadSmallFile(const std::string& sPath) {
  std::string out;
  HANDLE f = CreateFileA(sPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return out;
  char buffer[4096];
  DWORD n = 0;
  while (ReadFile(f, buffer, sizeof buffer, &n, nullptr) && n > 0) out.append(buffer, n);
  CloseHandle(f);
  return out;
}

// The Linux process behind a Wine process, found by a text of its command
// line; 0 when there is no /proc (on Windows).
int UnixPidOf(const std::string& sCommandLinePart) {
  WIN32_FIND_DATAA fd;
  HANDLE find = FindFirstFileA("Z:\\proc\\*", &fd);
  if (find == INVALID_HANDLE_VALUE) return 0;
  int found = 0;
  do {
    if (fd.cFileName[0] < '1' || fd.cFileName[0] > '9') continue;
    std::string cmdline = ReadSmallFile(std::string("Z:\\proc\\") + fd.cFileName + "\\cmdline");
    for (char& c : cmdline) {
      if (c == '\0') c = ' ';
    }
    if (cmdline.find(sCommandLinePart) != std::string::npos) found = std::atoi(fd.cFileName);
  } while (!found && FindNextFileA(find, &fd));
  FindClose(find);
  return found;
}

struct KernelAccount {
  double cpuSeconds = -1;  // all threads
  long long wakeUps = -1;  // the main thread's voluntary context switches
};

KernelAccount ReadKernelAccount(int iUnixPid) {
  KernelAccount a;
  if (!iUnixPid) return a;
  const std::string base = "Z:\\proc\\" + std::to_string(iUnixPid);
  WIN32_FIND_DATAA fd;
  HANDLE find = FindFirstFileA((base + "\\task\\*").c_str(), &fd);
  if (find == INVALID_HANDLE_VALUE) return a;
  long long ns = 0;
  do {
    if (fd.cFileName[0] < '1' || fd.cFileName[0] > '9') continue;
    ns += std::atoll(ReadSmallFile(base + "\\task\\" + fd.cFileName + "\\schedstat").c_str());
  } while (FindNextFileA(find, &fd));
  FindClose(find);
  a.cpuSeconds = static_cast<double>(ns) / 1e9;
  const std::string status = ReadSmallFile(base + "\\task\\" + std::to_string(iUnixPid) + "\\status");
  const char* key = "voluntary_ctxt_switches:";
  size_t at = status.find(key);
  // The first match is "voluntary_", not "nonvoluntary_": it comes first.
  if (at != std::string::npos) a.wakeUps = std::atoll(status.c_str() + at + strlen(key));
  return a;
}

struct Measured {
  const char* name = "";
  testkit::Process* process = nullptr;
  int unixPid = 0;
  double cpu0 = 0, cpu1 = 0;
  KernelAccount k0, k1;
};

void Sample(Measured& m, bool bEnd) {
  (bEnd ? m.cpu1 : m.cpu0) = CpuSeconds(m.process->Handle());
  (bEnd ? m.k1 : m.k0) = ReadKernelAccount(m.unixPid);
}

}  // namespace

int main(int argc, char** argv) {
  int seconds = 60;
  bool check = false;
  for (int i = 1; i < argc; ++i) {
    if (!strcmp(argv[i], "--seconds") && i + 1 < argc) seconds = std::atoi(argv[++i]);
    else if (!strcmp(argv[i], "--check")) check = true;
    else {
      std::fprintf(stderr, "usage: clock_bench [--seconds N] [--check]\n");
      return 2;
    }
  }
  if (seconds < 1) seconds = 1;

  tibbet_e2e::Install install = tibbet_e2e::NewInstall("clockbench");
  const std::string baselineExe = testkit::CopyInto(BASELINE_EXE, install.dir, "baseline.exe");
  testkit::Process tibbet = install.Run("-startup");
  testkit::Process baseline = testkit::Start(baselineExe, "", install.dir);
  HWND clock = tibbet_e2e::WaitForWindowOf(tibbet.Id(), "Zarvo Clock", 20000);
  HWND plain = tibbet_e2e::WaitForWindowOf(baseline.Id(), "Baseline Clock", 20000);
  if (!clock || !plain) {
    std::fprintf(stderr, "the clock or the baseline did not come up\n");
    return 1;
  }
  // Both past their start-up before the measurement begins.
  Sleep(2000);

  // The scratch folder's name is unique to this run.
  const std::string folder = install.dir.substr(install.dir.find_last_of('\\') + 1);
  Measured runs[2];
  runs[0].name = "Tibbet";
  runs[0].process = &tibbet;
  runs[1].name = "baseline";
  runs[1].process = &baseline;
  runs[0].unixPid = UnixPidOf(folder + "\\Tibbet.exe");
  runs[1].unixPid = UnixPidOf(folder + "\\baseline.exe");

  std::printf("measuring %d s of running...\n", seconds);
  std::fflush(stdout);
  for (Measured& m : runs) Sample(m, false);
  Sleep(static_cast<DWORD>(seconds) * 1000);
  for (Measured& m : runs) Sample(m, true);

  const bool bothRunning = tibbet.Running() && baseline.Running();
  testkit::Process closer = install.Run("-close");
  closer.WaitExit(10000);
  PostMessageA(plain, WM_CLOSE, 0, 0);
  tibbet.WaitExit(10000);
  baseline.WaitExit(10000);
  if (!bothRunning) {
    std::fprintf(stderr, "a process ended during the run\n");
    return 1;
  }

  std::printf("%-10s %14s %16s %14s\n", "", "CPU (GetProcessTimes)", "CPU (kernel)", "wake-ups/s");
  for (const Measured& m : runs) {
    double kernelCpu = m.k1.cpuSeconds >= 0 ? m.k1.cpuSeconds - m.k0.cpuSeconds : -1;
    double wakeUps = m.k1.wakeUps >= 0 ? double(m.k1.wakeUps - m.k0.wakeUps) / seconds : -1;
    std::printf("%-10s %18.3f s %14.4f s %14.2f\n", m.name, m.cpu1 - m.cpu0, kernelCpu, wakeUps);
  }
  const double tibbetCpu = runs[0].cpu1 - runs[0].cpu0;
  const double baselineCpu = runs[1].cpu1 - runs[1].cpu0;
  // GetProcessTimes counts in 10 ms steps under Wine: a side that spent
  // less than one step counts as one step, so the ratio stays finite.
  const double step = 0.01;
  const double ratio = (tibbetCpu > step ? tibbetCpu : step) / (baselineCpu > step ? baselineCpu : step);
  std::printf("ratio (GetProcessTimes): %.2f   target: at most 1.5\n", ratio);
  if (runs[0].k1.cpuSeconds >= 0 && runs[1].k1.cpuSeconds > runs[1].k0.cpuSeconds) {
    const double k = (runs[0].k1.cpuSeconds - runs[0].k0.cpuSeconds) /
                     (runs[1].k1.cpuSeconds - runs[1].k0.cpuSeconds);
    std::printf("ratio (kernel account): %.2f\n", k);
  }
  return check && ratio > 1.5 ? 1 : 0;
}
