#include "launcher/plan_launch.h"

namespace marlock {

// The routes that write a macro file, drive automation objects or type into
// the client come with their own steps. Until then they end the run without
// starting anything.
LaunchPlan PlanScriptedRoute(Route route, FtpLink& link, const LaunchSettings& settings,
                             LaunchContext& ctx) {
  (void)route;
  (void)link;
  (void)settings;
  (void)ctx;
  return LaunchPlan{};
}

}  // namespace marlock
