#include "launcher/plan_launch.h"

namespace marlock {

// The seven clients that take a whole site on their command line come with
// their own plans; until then their route ends the run.
bool IsCommandLineClient(int) { return false; }

LaunchPlan PlanCommandLineClient(FtpLink&, const LaunchSettings&, LaunchContext&) {
  return LaunchPlan{};
}

}  // namespace marlock
