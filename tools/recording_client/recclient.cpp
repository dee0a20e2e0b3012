// A stand-in FTP client: it writes down how it was started and exits.
//
// Each start appends one record to the file named by the environment
// variable ZARVO_RECORD_FILE, or else to "<its own path>.received.txt":
//
//   [start]
//   command_line=<the full command line, as the process got it>
//   working_directory=<current directory at start>
//   show_window=<STARTUPINFO wShowWindow, or -1 without STARTF_USESHOWWINDOW>
//   [end]
//
// Appends are single writes, so records of clients started side by side do
// not interleave.
#include <windows.h>

#include <string>

namespace {

std::string RecordPath() {
  char value[MAX_PATH * 2] = {};
  DWORD n = GetEnvironmentVariableA("ZARVO_RECORD_FILE", value, sizeof value);
  if (n > 0 && n < sizeof value) return value;
  char self[MAX_PATH * 2] = {};
  GetModuleFileNameA(nullptr, self, sizeof self);
  return std::string(self) + ".received.txt";
}

std::string Record() {
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  GetStartupInfoA(&si);
  char cwd[MAX_PATH * 2] = {};
  GetCurrentDirectoryA(sizeof cwd, cwd);
  int show = (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : -1;
  std::string r = "[start]\r\n";
  r += "command_line=" + std::string(GetCommandLineA()) + "\r\n";
  r += "working_directory=" + std::string(cwd) + "\r\n";
  r += "show_window=" + std::to_string(show) + "\r\n";
  r += "[end]\r\n";
  return r;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  std::string record = Record();
  std::string path = RecordPath();
  for (int attempt = 0; attempt < 200; ++attempt) {
    HANDLE h = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(h, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
      CloseHandle(h);
      return 0;
    }
    Sleep(10);
  }
  return 1;
}
