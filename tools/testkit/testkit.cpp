#include "testkit.h"

#include <cstring>
#include <fstream>
#include <sstream>

namespace testkit {

std::string WinPath(const std::string& sPath) {
  if (sPath.empty() || sPath[0] != '/') return sPath;
  std::string w = "Z:" + sPath;
  for (char& c : w) {
    if (c == '/') c = '\\';
  }
  return w;
}

std::string RecordingClientExe() { return WinPath(RECCLIENT_EXE); }

std::string NewScratchDir(const std::string& sTag) {
  static int counter = 0;
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  std::string base = std::string(temp) + "zarvo-tests";
  CreateDirectoryA(base.c_str(), nullptr);
  for (;;) {
    std::string dir = base + "\\" + sTag + "-" + std::to_string(GetCurrentProcessId()) + "-" +
                      std::to_string(++counter);
    if (CreateDirectoryA(dir.c_str(), nullptr)) return dir;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return dir;
  }
}

std::string CopyInto(const std::string& sFile, const std::string& sDir,
                     const std::string& sNewName) {
  std::string src = WinPath(sFile);
  std::string name = sNewName;
  if (name.empty()) {
    size_t slash = src.find_last_of("\\/");
    name = slash == std::string::npos ? src : src.substr(slash + 1);
  }
  std::string dst = sDir + "\\" + name;
  CopyFileA(src.c_str(), dst.c_str(), FALSE);
  return dst;
}

std::string ReadFileBytes(const std::string& sPath) {
  std::ifstream in(sPath, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteFileBytes(const std::string& sPath, const std::string& sBytes) {
  std::ofstream(sPath, std::ios::binary) << sBytes;
}

bool PathExists(const std::string& sPath) {
  return GetFileAttributesA(sPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

Process::Process(Process&& o) noexcept : hProcess_(o.hProcess_), dwId_(o.dwId_) {
  o.hProcess_ = nullptr;
}

Process& Process::operator=(Process&& o) noexcept {
  if (this != &o) {
    Kill();
    hProcess_ = o.hProcess_;
    dwId_ = o.dwId_;
    o.hProcess_ = nullptr;
  }
  return *this;
}

Process::~Process() { Kill(); }

bool Process::WaitExit(DWORD dwMs) {
  if (!hProcess_) return true;
  DWORD start = GetTickCount();
  for (;;) {
    if (WaitForSingleObject(hProcess_, 0) == WAIT_OBJECT_0) return true;
    if (GetTickCount() - start >= dwMs) return false;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
}

bool Process::Running() const {
  return hProcess_ && WaitForSingleObject(hProcess_, 0) == WAIT_TIMEOUT;
}

void Process::Kill() {
  if (!hProcess_) return;
  if (WaitForSingleObject(hProcess_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(hProcess_, 1);
    WaitForSingleObject(hProcess_, 5000);
  }
  CloseHandle(hProcess_);
  hProcess_ = nullptr;
}

Process Start(const std::string& sExe, const std::string& sArguments,
              const std::string& sWorkingDir, const std::vector<std::string>& sEnvironment) {
  std::string exe = WinPath(sExe);
  std::string cmd = "\"" + exe + "\"";
  if (!sArguments.empty()) cmd += " " + sArguments;

  std::string env;
  if (!sEnvironment.empty()) {
    // A variable given here replaces an inherited one of the same name.
    auto given = [&sEnvironment](const char* sEntry) {
      const char* equals = strchr(sEntry + 1, '=');
      const size_t nName = equals ? static_cast<size_t>(equals - sEntry) : strlen(sEntry);
      for (const std::string& e : sEnvironment) {
        if (e.size() > nName && e[nName] == '=' && _strnicmp(e.c_str(), sEntry, nName) == 0) {
          return true;
        }
      }
      return false;
    };
    char* block = GetEnvironmentStringsA();
    for (const char* p = block; *p; p += strlen(p) + 1) {
      if (given(p)) continue;
      env.append(p);
      env.push_back('\0');
    }
    FreeEnvironmentStringsA(block);
    for (const std::string& e : sEnvironment) {
      env.append(e);
      env.push_back('\0');
    }
    env.push_back('\0');
  }

  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::vector<char> cmdBuffer(cmd.begin(), cmd.end());
  cmdBuffer.push_back('\0');
  Process p;
  if (CreateProcessA(exe.c_str(), cmdBuffer.data(), nullptr, nullptr, FALSE, 0,
                     env.empty() ? nullptr : env.data(),
                     sWorkingDir.empty() ? nullptr : sWorkingDir.c_str(), &si, &pi)) {
    CloseHandle(pi.hThread);
    p.hProcess_ = pi.hProcess;
    p.dwId_ = pi.dwProcessId;
  }
  return p;
}

std::vector<Received> ReadReceived(const std::string& sRecordFile) {
  std::vector<Received> out;
  std::string text = ReadFileBytes(sRecordFile);
  size_t pos = 0;
  Received cur;
  bool inRecord = false;
  while (pos < text.size()) {
    size_t eol = text.find("\r\n", pos);
    if (eol == std::string::npos) break;  // a record still being written
    std::string line = text.substr(pos, eol - pos);
    pos = eol + 2;
    if (line == "[start]") {
      cur = Received();
      inRecord = true;
    } else if (line == "[end]") {
      if (inRecord) out.push_back(cur);
      inRecord = false;
    } else if (line.rfind("command_line=", 0) == 0) {
      cur.commandLine = line.substr(13);
    } else if (line.rfind("working_directory=", 0) == 0) {
      cur.workingDirectory = line.substr(18);
    } else if (line.rfind("show_window=", 0) == 0) {
      cur.showWindow = std::atoi(line.c_str() + 12);
    }
  }
  return out;
}

std::vector<ReceivedKey> ReadReceivedKeys(const std::string& sRecordFile) {
  std::vector<ReceivedKey> out;
  std::string text = ReadFileBytes(sRecordFile);
  size_t pos = 0;
  ReceivedKey cur;
  bool inKey = false;
  while (pos < text.size()) {
    size_t eol = text.find("\r\n", pos);
    if (eol == std::string::npos) break;
    std::string line = text.substr(pos, eol - pos);
    pos = eol + 2;
    if (line == "[key]") {
      cur = ReceivedKey();
      inKey = true;
    } else if (line == "[end]") {
      if (inKey) out.push_back(cur);
      inKey = false;
    } else if (inKey && line.rfind("message=", 0) == 0) {
      cur.message = line.substr(8);
    } else if (inKey && line.rfind("code=", 0) == 0) {
      cur.code = static_cast<unsigned>(std::strtoul(line.c_str() + 5, nullptr, 10));
    } else if (inKey && line.rfind("alt=", 0) == 0) {
      cur.alt = line.find("alt=1") != std::string::npos;
      cur.ctrl = line.find("ctrl=1") != std::string::npos;
      cur.shift = line.find("shift=1") != std::string::npos;
    }
  }
  return out;
}

std::string ReceivedText(const std::vector<ReceivedKey>& keys) {
  std::string text;
  for (const ReceivedKey& k : keys) {
    if (k.message == "WM_CHAR") text.push_back(static_cast<char>(k.code));
  }
  return text;
}

std::vector<Received> WaitForReceived(const std::string& sRecordFile, size_t iCount,
                                      DWORD dwTimeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    std::vector<Received> r = ReadReceived(sRecordFile);
    if (r.size() >= iCount || GetTickCount() - start >= dwTimeoutMs) return r;
    Sleep(20);
  }
}

std::string IniText(
    const std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>>&
        sections) {
  std::string text;
  for (const auto& s : sections) {
    text += "[" + s.first + "]\r\n";
    for (const auto& kv : s.second) text += kv.first + "=" + kv.second + "\r\n";
  }
  return text;
}

}  // namespace testkit
