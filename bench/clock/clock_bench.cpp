// The clock's running cost against the least a clock can be.
//
//   clock_bench [--seconds N] [--copies K] [--check]
//
// Starts a scratch copy of Tibbet.exe (-startup, default settings) and the
// baseline (a window with a label and a one-second timer) side by side,
// lets both settle, then measures the CPU time each spends over N seconds
// (default 60) with GetProcessTimes, and reports the ratio. K copies of
// each (default 1) add up to a larger, steadier sum. Under Wine the same
// run also reads the kernel's own accounts of the processes (/proc: CPU
// time in nanoseconds, and how often each main thread gave up the
// processor: every wake-up, and every request to the Wine server that had
// to wait for its answer), finer than GetProcessTimes' 10 ms steps.
// --check exits with 1 when the ratio is above 1.5.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

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
  long long switches = -1;  // the main thread's voluntary context switches
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
  if (at != std::string::npos) a.switches = std::atoll(status.c_str() + at + strlen(key));
  return a;
}

// One side of the comparison: its copies and what they spent.
struct Side {
  const char* name = "";
  std::vector<testkit::Process> processes;
  std::vector<HWND> windows;
  std::vector<int> unixPids;
  double cpu0 = 0, cpu1 = 0;        // GetProcessTimes, all copies
  double kernel0 = 0, kernel1 = 0;  // the kernel's account, all copies
  long long switches0 = 0, switches1 = 0;
  bool kernelKnown = true;

  void Sample(bool bEnd) {
    double cpu = 0, kernel = 0;
    long long switches = 0;
    for (auto& p : processes) cpu += CpuSeconds(p.Handle());
    for (int pid : unixPids) {
      KernelAccount a = ReadKernelAccount(pid);
      if (a.cpuSeconds < 0 || a.switches < 0) kernelKnown = false;
      kernel += a.cpuSeconds;
      switches += a.switches;
    }
    (bEnd ? cpu1 : cpu0) = cpu;
    (bEnd ? kernel1 : kernel0) = kernel;
    (bEnd ? switches1 : switches0) = switches;
  }
  bool AllRunning() const {
    for (const auto& p : processes) {
      if (!p.Running()) return false;
    }
    return true;
  }
};

// GetProcessTimes counts in 10 ms steps under Wine: a side that spent less
// than one step counts as one step, so the ratio stays finite.
double Ratio(double dA, double dB, double dStep) {
  return (dA > dStep ? dA : dStep) / (dB > dStep ? dB : dStep);
}

}  // namespace

int main(int argc, char** argv) {
  int seconds = 60;
  int copies = 1;
  bool check = false;
  for (int i = 1; i < argc; ++i) {
    if (!strcmp(argv[i], "--seconds") && i + 1 < argc) {
      seconds = std::atoi(argv[++i]);
    } else if (!strcmp(argv[i], "--copies") && i + 1 < argc) {
      copies = std::atoi(argv[++i]);
    } else if (!strcmp(argv[i], "--check")) {
      check = true;
    } else {
      std::fprintf(stderr, "usage: clock_bench [--seconds N] [--copies K] [--check]\n");
      return 2;
    }
  }
  if (seconds < 1) seconds = 1;
  if (copies < 1) copies = 1;

  // Each copy of Tibbet has a folder of its own, and so its own instance;
  // the scratch folders' names are unique to this run.
  Side tibbet, baseline;
  tibbet.name = "Tibbet";
  baseline.name = "baseline";
  std::vector<std::string> folders;
  for (int i = 0; i < copies; ++i) {
    tibbet_e2e::Install install = tibbet_e2e::NewInstall("clockbench");
    const std::string baselineExe = testkit::CopyInto(BASELINE_EXE, install.dir, "baseline.exe");
    tibbet.processes.push_back(install.Run("-startup"));
    baseline.processes.push_back(testkit::Start(baselineExe, "", install.dir));
    folders.push_back(install.dir.substr(install.dir.find_last_of('\\') + 1));
  }
  for (int i = 0; i < copies; ++i) {
    tibbet.windows.push_back(
        tibbet_e2e::WaitForWindowOf(tibbet.processes[i].Id(), "Zarvo Clock", 20000));
    baseline.windows.push_back(
        tibbet_e2e::WaitForWindowOf(baseline.processes[i].Id(), "Baseline Clock", 20000));
    if (!tibbet.windows.back() || !baseline.windows.back()) {
      std::fprintf(stderr, "a clock or a baseline did not come up\n");
      return 1;
    }
  }
  // All past their start-up before the measurement begins.
  Sleep(2000);
  for (const std::string& folder : folders) {
    tibbet.unixPids.push_back(UnixPidOf(folder + "\\Tibbet.exe"));
    baseline.unixPids.push_back(UnixPidOf(folder + "\\baseline.exe"));
  }

  std::printf("measuring %d s of running, %d cop%s of each...\n", seconds, copies,
              copies == 1 ? "y" : "ies");
  std::fflush(stdout);
  for (Side* side : {&tibbet, &baseline}) side->Sample(false);
  Sleep(static_cast<DWORD>(seconds) * 1000);
  for (Side* side : {&tibbet, &baseline}) side->Sample(true);

  const bool allRunning = tibbet.AllRunning() && baseline.AllRunning();
  for (Side* side : {&tibbet, &baseline}) {
    for (HWND h : side->windows) PostMessageA(h, WM_CLOSE, 0, 0);
    for (auto& p : side->processes) p.WaitExit(10000);
  }
  if (!allRunning) {
    std::fprintf(stderr, "a process ended during the run\n");
    return 1;
  }

  const bool kernelKnown = tibbet.kernelKnown && baseline.kernelKnown;
  std::printf("%-9s %22s %17s %26s\n", "", "CPU, GetProcessTimes", "CPU, kernel",
              "main-thread switches/s");
  for (const Side* side : {&tibbet, &baseline}) {
    std::printf("%-9s %20.3f s", side->name, side->cpu1 - side->cpu0);
    if (kernelKnown) {
      std::printf(" %15.4f s %26.2f", side->kernel1 - side->kernel0,
                  double(side->switches1 - side->switches0) / seconds / copies);
    }
    std::printf("\n");
  }
  const double ratio =
      Ratio(tibbet.cpu1 - tibbet.cpu0, baseline.cpu1 - baseline.cpu0, 0.01 * copies);
  std::printf("ratio (GetProcessTimes): %.2f   target: at most 1.5\n", ratio);
  if (kernelKnown) {
    std::printf("ratio (kernel account):  %.2f\n",
                Ratio(tibbet.kernel1 - tibbet.kernel0, baseline.kernel1 - baseline.kernel0, 1e-6));
  }
  return check && ratio > 1.5 ? 1 : 0;
}
