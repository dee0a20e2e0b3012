#include "sitestore/ini_file_store.h"

#include <windows.h>

#include <cstdint>
#include <vector>

#include "profile.h"

namespace marlock {

namespace {

// Zarvo starts one Marlock per link, so several may use a file at once. The
// profile functions read the whole file, change it and write it back, with
// no lock between processes (and keep a copy of the file that they trust
// while its time stamp has not changed): two processes saving sites at the
// same moment lose each other's keys. Every access therefore holds a mutex
// named after the file and first drops the cached copy, so that it reads
// what the last holder wrote.
class FileLock {
 public:
  explicit FileLock(const std::string& sPath) {
    mutex_ = CreateMutexA(nullptr, FALSE, MutexName(sPath).c_str());
    if (mutex_) {
      const DWORD r = WaitForSingleObject(mutex_, 10000);
      owned_ = r == WAIT_OBJECT_0 || r == WAIT_ABANDONED;
    }
    // All three NULL: the cached copy of the file is dropped.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, sPath.c_str());
  }
  ~FileLock() {
    if (owned_) ReleaseMutex(mutex_);
    if (mutex_) CloseHandle(mutex_);
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

 private:
  // One name per file, whatever the case or slashes of its path.
  static std::string MutexName(const std::string& sPath) {
    uint64_t hash = 14695981039346656037ull;
    for (char c : sPath) {
      if (c == '/') c = '\\';
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
      hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    }
    char name[64];
    wsprintfA(name, "Local\\Marlock.Profile.%08lx%08lx", static_cast<unsigned long>(hash >> 32),
              static_cast<unsigned long>(hash & 0xffffffffu));
    return name;
  }

  HANDLE mutex_ = nullptr;
  bool owned_ = false;
};

}  // namespace

std::string IniFileStore::Read(const std::string& sSection, const std::string& sKey,
                               const std::string& sDefault) {
  FileLock lock(path_);
  return zarvo::ReadProfileText(path_, sSection.c_str(), sKey.c_str(), sDefault.c_str());
}

std::string IniFileStore::ReadWhole(const std::string& sSection, const std::string& sKey,
                                    const std::string& sDefault) {
  // The reader cuts a value to the buffer and says so by filling it to one
  // below its size; then it is read again through a larger one.
  FileLock lock(path_);
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
  FileLock lock(path_);
  zarvo::WriteProfileText(path_, sSection.c_str(), sKey.c_str(), sValue);
}

}  // namespace marlock
