// One INI file, seen one key at a time. The launcher and the site file work
// through this interface, so their logic stays portable and tests can hand
// them an in-memory file; on Windows it is backed by the profile functions
// (IniFileStore).
#pragma once
#include <string>

namespace marlock {

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // One value through a 256-character buffer (at most 255 characters); a
  // missing file, section or key gives sDefault.
  virtual std::string Read(const std::string& sSection, const std::string& sKey,
                           const std::string& sDefault) = 0;
  // The whole value, however long.
  virtual std::string ReadWhole(const std::string& sSection, const std::string& sKey,
                                const std::string& sDefault) = 0;
  // Writes one value; callers do not look at the result.
  virtual void Write(const std::string& sSection, const std::string& sKey,
                     const std::string& sValue) = 0;
};

}  // namespace marlock
