// A ProfileStore backed by a real INI file through the ANSI profile
// functions: the settings file and the site file as Marlock reads them.
#pragma once
#include <string>

#include "sitestore/profile_store.h"

namespace marlock {

class IniFileStore : public ProfileStore {
 public:
  explicit IniFileStore(std::string sPath) : path_(std::move(sPath)) {}
  std::string Read(const std::string& sSection, const std::string& sKey,
                   const std::string& sDefault) override;
  std::string ReadWhole(const std::string& sSection, const std::string& sKey,
                        const std::string& sDefault) override;
  void Write(const std::string& sSection, const std::string& sKey,
             const std::string& sValue) override;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace marlock
