// The routes past the command-line clients: each client that has to be
// scripted or automated, and the two routes that leave the client aside.
#include "launcher/plan_launch.h"
#include "settings/client_table.h"

namespace marlock {

LaunchPlan PlanScriptedRoute(Route route, FtpLink& link, const LaunchSettings& settings,
                             LaunchContext& ctx) {
  switch (route) {
    case Route::DownloadManager:
      return PlanDownloadManager(link);
    case Route::InternetExplorer:
      return PlanInternetExplorer(link, settings, ctx);
    case Route::Client:
      break;
    case Route::Unsupported:
      return LaunchPlan{};
  }
  switch (settings.ClientType) {
    case kCuteFtpXp:
      return PlanCuteFtpXp(link, settings, ctx);
    case kCuteFtpPro:
      return PlanCuteFtpPro(link, settings, ctx);
    case kCrystalFtpPro:
    case kAceFtp:
    case kTurboFtp:
      return PlanKeystrokeClient(link, settings, ctx);
    default:
      return LaunchPlan{};
  }
}

}  // namespace marlock
