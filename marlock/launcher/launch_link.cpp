#include "launcher/launch_link.h"

#include <windows.h>

#include "launcher/data_paths.h"
#include "launcher/executor.h"
#include "launcher/login_prompt.h"
#include "launcher/plan_launch.h"
#include "process.h"
#include "sitestore/ini_file_store.h"

namespace marlock {

namespace {

std::string TempDirectory() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD dwLength = GetEnvironmentVariableA("TEMP", buffer, sizeof buffer);
  return dwLength > 0 && dwLength < sizeof buffer ? std::string(buffer, dwLength) : std::string();
}

// A string value's text up to its first NUL; empty when the key or value is
// missing or the value is not a string.
std::string RegReadString(HKEY root, const char* sKeyPath, const char* sValueName) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, sKeyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
  std::string text;
  DWORD dwType = 0;
  DWORD dwSize = 0;
  if (RegQueryValueExA(key, sValueName, nullptr, &dwType, nullptr, &dwSize) == ERROR_SUCCESS &&
      dwType == REG_SZ) {
    std::string data(dwSize + 1, '\0');
    if (RegQueryValueExA(key, sValueName, nullptr, &dwType,
                         reinterpret_cast<BYTE*>(&data[0]), &dwSize) == ERROR_SUCCESS) {
      text = data.c_str();
    }
  }
  RegCloseKey(key);
  return text;
}

std::string ProgramFilesDirectory() {
  return RegReadString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                       "ProgramFilesDir");
}

uint32_t SecondsSinceMidnight() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now.wHour * 3600u + now.wMinute * 60u + now.wSecond;
}

// Letters of the code page too ("é" becomes "É" in code page 1252).
std::string UpperCase(const std::string& sText) {
  std::string s = sText;
  if (!s.empty()) CharUpperBuffA(&s[0], static_cast<DWORD>(s.size()));
  return s;
}

}  // namespace

void LaunchLink(const std::string& sLink) {
  const DataPaths& paths = GetDataPaths();
  IniFileStore settings(paths.settingsFile);
  IniFileStore sites(paths.siteFile);
  LaunchContext ctx{settings,          sites, LoginPromptWindow(), paths.programDir,
                    &zarvo::FileExists, &TempDirectory, &ProgramFilesDirectory,
                    &SecondsSinceMidnight, &UpperCase};
  ExecutePlan(PlanLaunch(sLink, ctx));
}

}  // namespace marlock
