// Helpers for tests that start the real programs under Wine.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace testkit {

// A path of the build machine ("/work/...") as Windows programs under Wine
// see it ("Z:\work\..."); Windows paths pass unchanged.
std::string WinPath(const std::string& sPath);

// The recording client's executable.
std::string RecordingClientExe();

// A new, empty folder under the temporary folder.
std::string NewScratchDir(const std::string& sTag);
// Copies a file into a folder (under another name when given); returns the copy's path.
std::string CopyInto(const std::string& sFile, const std::string& sDir,
                     const std::string& sNewName = "");

std::string ReadFileBytes(const std::string& sPath);
void WriteFileBytes(const std::string& sPath, const std::string& sBytes);
bool PathExists(const std::string& sPath);

// A started program; killed when it goes out of scope unless it ended.
class Process {
 public:
  Process() = default;
  Process(Process&& o) noexcept;
  Process& operator=(Process&& o) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process();

  bool Started() const { return hProcess_ != nullptr; }
  DWORD Id() const { return dwId_; }
  HANDLE Handle() const { return hProcess_; }
  // True when it ended within the time.
  bool WaitExit(DWORD dwMs);
  bool Running() const;
  void Kill();

 private:
  friend Process Start(const std::string&, const std::string&, const std::string&,
                       const std::vector<std::string>&);
  HANDLE hProcess_ = nullptr;
  DWORD dwId_ = 0;
};

// Starts sExe with the argument text (the quoted path, one blank, then
// sArguments, as a shell would hand it). sEnvironment adds "NAME=value" pairs;
// each replaces an inherited variable of the same name.
Process Start(const std::string& sExe, const std::string& sArguments,
              const std::string& sWorkingDir = "",
              const std::vector<std::string>& sEnvironment = {});

// One start of the recording client.
struct Received {
  std::string commandLine;
  std::string workingDirectory;
  int showWindow = -1;  // -1: STARTF_USESHOWWINDOW was not set
};
std::vector<Received> ReadReceived(const std::string& sRecordFile);
// Waits until the record file holds at least iCount records.
std::vector<Received> WaitForReceived(const std::string& sRecordFile, size_t iCount,
                                      DWORD dwTimeoutMs);

// One key the recording client's window received (ZARVO_RECORD_WINDOW).
struct ReceivedKey {
  std::string message;  // "WM_KEYDOWN", "WM_SYSKEYDOWN", "WM_CHAR", "WM_SYSCHAR"
  unsigned code = 0;    // virtual-key code, or the character
  bool alt = false, ctrl = false, shift = false;
};
std::vector<ReceivedKey> ReadReceivedKeys(const std::string& sRecordFile);
// The characters of the WM_CHAR records, in order.
std::string ReceivedText(const std::vector<ReceivedKey>& keys);

// The bytes of an INI file written through the profile functions, as
// "[Section]\r\nKey=Value\r\n..." — for whole-file comparisons.
std::string IniText(const std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>>& sections);

}  // namespace testkit
