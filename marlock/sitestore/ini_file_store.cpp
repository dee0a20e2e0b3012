#include "sitestore/ini_file_store.h"

#include <windows.h>

#include <vector>

#include "profile.h"

namespace marlock {

std::string IniFileStore::Read(const std::string& sSection, const std::string& sKey,
                               const std::string& sDefault) {
  return zarvo::ReadProfileText(path_, sSection.c_str(), sKey.c_str(), sDefault.c_str());
}

std::string IniFileStore::ReadWhole(const std::string& sSection, const std::string& sKey,
                                    const std::string& sDefault) {
  // The reader cuts a value to the buffer and says so by filling it to one
  // below its size; then it is read again through a larger one.
  for (DWORD size = 1024; size <= (1u << 20); size *= 4) {
    std::vector<char> buffer(size, '\0');
    DWORD n = GetPrivateProfileStringA(sSection.c_str(), sKey.c_str(), sDefault.c_str(),
                                       buffer.data(), size, path_.c_str());
    if (n < size - 2) return std::string(buffer.data(), n);
  }
  return sDefault;
}

void IniFileStore::Write(const std::string& sSection, const std::string& sKey,
                         const std::string& sValue) {
  zarvo::WriteProfileText(path_, sSection.c_str(), sKey.c_str(), sValue);
}

}  // namespace marlock
