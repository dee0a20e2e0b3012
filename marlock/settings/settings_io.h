// Applying settings writes to FTPSetup.ini, one profile call per key.
#pragma once
#include <string>
#include <vector>

#include "settings/settings_file.h"

namespace marlock {

void ApplyProfileWrites(const std::string& sPath, const std::vector<ProfileEntry>& writes);

}  // namespace marlock
