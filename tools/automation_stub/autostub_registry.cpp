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

// A ProgID the prefix already has (Wine registers its own
// "InternetExplorer.Application") keeps its class here while the stand-in
// is registered, and gets it back from Unregister.
const char* kSavedClsid = "ZarvoSavedClsid";

std::string ReadValue(const std::string& sKey, const char* sName) {
  char buffer[256] = {};
  HKEY key;
  if (RegOpenKeyExA(kRoot, sKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "";
  DWORD type = 0;
  DWORD dwSize = sizeof buffer - 1;
  const LONG r =
      RegQueryValueExA(key, sName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &dwSize);
  RegCloseKey(key);
  return r == ERROR_SUCCESS && type == REG_SZ ? std::string(buffer) : std::string();
}

void SaveOwnClass(const Entry& e) {
  const std::string sKey = std::string(e.progId) + "\\CLSID";
  const std::string sOwn = ReadValue(sKey, nullptr);
  if (sOwn.empty() || sOwn == e.clsid || !ReadValue(sKey, kSavedClsid).empty()) return;
  SetNamed(sKey, kSavedClsid, sOwn);
}

}  // namespace

bool Register() {
  const std::string dll = testkit::WinPath(AUTOSTUB_DLL);
  bool ok = true;
  for (const Entry& e : kEntries) {
    SaveOwnClass(e);
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
    const std::string sKey = std::string(e.progId) + "\\CLSID";
    const std::string sOwn = ReadValue(sKey, kSavedClsid);
    if (sOwn.empty()) {
      RegDeleteTreeA(kRoot, e.progId);
    } else {
      SetDefault(sKey, sOwn);
      HKEY key;
      if (RegOpenKeyExA(kRoot, sKey.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, kSavedClsid);
        RegCloseKey(key);
      }
    }
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
