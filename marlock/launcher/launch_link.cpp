#include "launcher/launch_link.h"

#include "process.h"

namespace marlock {

void LaunchLink(const std::string& sLink) {
  (void)sLink;
  zarvo::EndProcess();
}

}  // namespace marlock
