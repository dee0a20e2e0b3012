// What a launch leaves behind for the client: the macro file and the
// registry values. The registry values are the client's to read; results of
// their writes are not examined. The macro file is all that a client started
// hidden has to go on, so a file that could not be written ends the run with
// a message instead of starting a client that can do nothing with it.
#include <windows.h>

#include <cstdio>

#include "launcher/executor_steps.h"
#include "process.h"

namespace marlock {

namespace {

bool WriteLines(const WriteTextFile& f) {
  FILE* file = std::fopen(f.path.c_str(), "wb");
  if (!file) return false;
  std::string text;
  for (const std::string& line : f.lines) text += line + "\r\n";
  const bool bWritten = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && bWritten;
}

}  // namespace

void Run(const WriteTextFile& f, Execution&) {
  if (WriteLines(f)) return;
  zarvo::ShowMessage("Marlock could not write the file \"" + f.path + "\" for the FTP client.",
                     "Marlock", MB_ICONHAND | MB_OK);
  zarvo::EndProcess();
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
