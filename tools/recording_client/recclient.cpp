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
// Clients started side by side take turns at the file: Wine writes an
// append-only handle at the size it reads first, so two clients appending
// at the same moment would write over each other's record.
//
// With ZARVO_RECORD_WINDOW set to a number of milliseconds, the client also
// shows a window captioned "Recording Client" for that long and writes down
// every key it receives (presses and characters, not releases), one record
// each:
//
//   [key]
//   message=WM_KEYDOWN|WM_SYSKEYDOWN|WM_CHAR|WM_SYSCHAR
//   code=<virtual-key code or character code>
//   alt=0|1 ctrl=0|1 shift=0|1
//   [end]
//
// ZARVO_RECORD_WINDOW_DELAY (milliseconds) makes it wait before the window
// appears, as a slow client would. ZARVO_RECORD_WINDOW_BEHIND=1 shows the
// window without taking the front, as a client does whose start Windows
// keeps behind the window the user works in.
#include <windows.h>

#include <string>

namespace {

std::string g_recordPath;

int EnvNumber(const char* sName, int iDefault) {
  char value[32] = {};
  DWORD n = GetEnvironmentVariableA(sName, value, sizeof value);
  return n > 0 && n < sizeof value ? atoi(value) : iDefault;
}

// Held while a record is written, by every recording client of the session.
class RecordLock {
 public:
  RecordLock() : m_mutex(CreateMutexA(nullptr, FALSE, "zarvo-recording-client-records")) {
    if (m_mutex) WaitForSingleObject(m_mutex, 10000);  // an abandoned lock is ours as well
  }
  ~RecordLock() {
    if (!m_mutex) return;
    ReleaseMutex(m_mutex);
    CloseHandle(m_mutex);
  }
  RecordLock(const RecordLock&) = delete;
  RecordLock& operator=(const RecordLock&) = delete;

 private:
  HANDLE m_mutex;
};

void Append(const std::string& sRecord) {
  RecordLock lock;
  for (int attempt = 0; attempt < 200; ++attempt) {
    HANDLE h = CreateFileA(g_recordPath.c_str(), FILE_APPEND_DATA,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      DWORD written = 0;
      WriteFile(h, sRecord.data(), static_cast<DWORD>(sRecord.size()), &written, nullptr);
      CloseHandle(h);
      return;
    }
    Sleep(10);
  }
}

const char* MessageName(UINT msg) {
  switch (msg) {
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
    case WM_CHAR: return "WM_CHAR";
    case WM_SYSCHAR: return "WM_SYSCHAR";
    default: return nullptr;
  }
}

LRESULT CALLBACK KeyWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (const char* name = MessageName(msg)) {
    std::string r = "[key]\r\nmessage=" + std::string(name) + "\r\ncode=" +
                    std::to_string(static_cast<unsigned>(wp)) + "\r\nalt=" +
                    ((GetKeyState(VK_MENU) & 0x8000) ? "1" : "0") + " ctrl=" +
                    ((GetKeyState(VK_CONTROL) & 0x8000) ? "1" : "0") + " shift=" +
                    ((GetKeyState(VK_SHIFT) & 0x8000) ? "1" : "0") + "\r\n[end]\r\n";
    Append(r);
    return 0;
  }
  // Releases are not written down, and kept from the default handling,
  // where the release of Alt would open the window menu and take the keys
  // that follow.
  if (msg == WM_KEYUP || msg == WM_SYSKEYUP) return 0;
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(hwnd, msg, wp, lp);
}

void RunKeyWindow(int iMilliseconds, int nShow, bool bBehind) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = KeyWindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "RecordingClient";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowA("RecordingClient", "Recording Client", WS_OVERLAPPEDWINDOW, 100, 100,
                            300, 120, nullptr, nullptr, wc.hInstance, nullptr);
  if (bBehind) {
    ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  } else {
    // A client started minimized still comes up in front of the user.
    ShowWindow(hwnd, nShow == SW_SHOWMINNOACTIVE || nShow == SW_HIDE ? SW_SHOWNORMAL : nShow);
    ShowWindow(hwnd, SW_RESTORE);
    SetForegroundWindow(hwnd);
    SetFocus(hwnd);
  }
  SetTimer(hwnd, 1, static_cast<UINT>(iMilliseconds), nullptr);
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0) > 0) {
    if (m.message == WM_TIMER && m.hwnd == hwnd) {
      DestroyWindow(hwnd);
      continue;
    }
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
}

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

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int nShow) {
  g_recordPath = RecordPath();
  Append(Record());
  int windowMs = EnvNumber("ZARVO_RECORD_WINDOW", 0);
  if (windowMs > 0) {
    Sleep(static_cast<DWORD>(EnvNumber("ZARVO_RECORD_WINDOW_DELAY", 0)));
    RunKeyWindow(windowMs, nShow, EnvNumber("ZARVO_RECORD_WINDOW_BEHIND", 0) == 1);
  }
  return 0;
}
