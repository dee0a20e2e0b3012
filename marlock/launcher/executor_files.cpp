// What a launch leaves behind for the client: the macro file and the
// registry values. Results of writes are not examined: the client shows
// what it finds.
#include <windows.h>

#include <cstdio>

#include "launcher/executor_steps.h"

namespace marlock {

void Run(const WriteTextFile& f, Execution&) {
  FILE* file = std::fopen(f.path.c_str(), "wb");
  if (!file) return;
  for (const std::string& line : f.lines) {
    std::fwrite(line.data(), 1, line.size(), file);
    std::fwrite("\r\n", 1, 2, file);
  }
  std::fclose(file);
}

namespace {

void SetUserValue(const std::string& sKeyPath, const std::string& sValueName, DWORD dwType,
                  const void* pData, DWORD dwSize) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, sKeyPath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExA(key, sValueName.c_str(), 0, dwType, static_cast<const BYTE*>(pData), dwSize);
  RegCloseKey(key);
}

}  // namespace

// The data are the text's characters without a terminating NUL, as the
// client has always been given them.
void Run(const WriteUserRegistryString& v, Execution&) {
  SetUserValue(v.keyPath, v.valueName, REG_SZ, v.text.data(), static_cast<DWORD>(v.text.size()));
}

void Run(const WriteUserRegistryDword& v, Execution&) {
  const DWORD dwNumber = v.number;
  SetUserValue(v.keyPath, v.valueName, REG_DWORD, &dwNumber, sizeof dwNumber);
}

}  // namespace marlock
