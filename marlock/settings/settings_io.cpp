#include "settings/settings_io.h"

#include "profile.h"

namespace marlock {

void ApplyProfileWrites(const std::string& sPath, const std::vector<ProfileEntry>& writes) {
  for (const ProfileEntry& w : writes) {
    zarvo::WriteProfileText(sPath, w.section.c_str(), w.key.c_str(), w.value);
  }
}

}  // namespace marlock
