#include "autostub_registry.h"

#include <windows.h>

#include "testkit.h"

namespace autostub {

namespace {

// On Windows a per-user registration (HKEY_CURRENT_USER\Software\Classes)
// would do; Wine's HKEY_CLASSES_ROOT does not merge the per-user classes, so
// the stand-ins go where both look: the classes root of the test prefix.
const HKEY kRoot = HKEY_CLASSES_ROOT;

struct Entry {
  const char* progId;
  const char* clsid;
};

const Entry kEntries[] = {
    {"CuteFTPPro.TEConnection", "{D6B1C3A0-5A35-4F1E-9E64-2A7B6B8F0C11}"},
    {"InternetExplorer.Application", "{D6B1C3A0-5A35-4F1E-9E64-2A7B6B8F0C12}"},
};

bool SetDefault(const std::string& sKey, const std::string& sValue) {
  HKEY key;
  if (RegCreateKeyExA(kRoot, sKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  LONG r = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(sValue.c_str()),
                          static_cast<DWORD>(sValue.size() + 1));
  RegCloseKey(key);
  return r == ERROR_SUCCESS;
}

bool SetNamed(const std::string& sKey, const char* sName, const std::string& sValue) {
  HKEY key;
  if (RegCreateKeyExA(kRoot, sKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  LONG r = RegSetValueExA(key, sName, 0, REG_SZ, reinterpret_cast<const BYTE*>(sValue.c_str()),
                          static_cast<DWORD>(sValue.size() + 1));
  RegCloseKey(key);
  return r == ERROR_SUCCESS;
}

}  // namespace

bool Register() {
  const std::string dll = testkit::WinPath(AUTOSTUB_DLL);
  bool ok = true;
  for (const Entry& e : kEntries) {
    ok &= SetDefault(std::string(e.progId) + "\\CLSID", e.clsid);
    ok &= SetDefault(std::string("CLSID\\") + e.clsid, e.progId);
    ok &= SetDefault(std::string("CLSID\\") + e.clsid + "\\InprocServer32", dll);
    ok &= SetNamed(std::string("CLSID\\") + e.clsid + "\\InprocServer32", "ThreadingModel",
                   "Apartment");
    ok &= SetDefault(std::string("CLSID\\") + e.clsid + "\\ProgID", e.progId);
  }
  return ok;
}

void Unregister() {
  for (const Entry& e : kEntries) {
    RegDeleteTreeA(kRoot, (std::string(e.progId)).c_str());
    RegDeleteTreeA(kRoot, (std::string("CLSID\\") + e.clsid).c_str());
  }
}

std::vector<std::string> ReadLog(const std::string& sLogFile) {
  std::vector<std::string> lines;
  std::string text = testkit::ReadFileBytes(sLogFile);
  size_t pos = 0;
  while (pos < text.size()) {
    size_t eol = text.find("\r\n", pos);
    if (eol == std::string::npos) break;
    lines.push_back(text.substr(pos, eol - pos));
    pos = eol + 2;
  }
  return lines;
}

}  // namespace autostub
