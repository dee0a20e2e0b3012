// Crystal FTP Pro, Ace FTP and TurboFTP are started and then driven through
// their menus with keystrokes: each sequence opens the client's quick
// connect box, types the link into it and confirms.
#include "launcher/plan_launch.h"
#include "settings/client_table.h"

namespace marlock {

namespace {

// The carriage return and line feed typed after a link.
constexpr const char* kNewLine = "\r\n";

void Wait(LaunchPlan& plan, int iPasses) { plan.steps.push_back(PumpEvents{iPasses}); }
void Keys(LaunchPlan& plan, const char* sKeys) { plan.steps.push_back(SendKeys{sKeys}); }
void Type(LaunchPlan& plan, const std::string& sText) { plan.steps.push_back(TypeText{sText}); }

void CrystalSequence(LaunchPlan& plan, const std::string& sLink) {
  Wait(plan, 50000);
  Keys(plan, "%F");
  Wait(plan, 5000);
  Keys(plan, "S");
  Wait(plan, 5000);
  Type(plan, sLink);
  Wait(plan, 25000);
  Type(plan, kNewLine);
}

void AceSequence(LaunchPlan& plan, const std::string& sLink, const std::string& sDefaultDir) {
  Wait(plan, 50000);
  Keys(plan, "%");
  Wait(plan, 5000);
  Keys(plan, "F");
  Wait(plan, 5000);
  Keys(plan, "U");
  Wait(plan, 5000);
  Type(plan, sLink);
  Wait(plan, 25000);
  Type(plan, kNewLine);
  Wait(plan, 5000);
  Keys(plan, "{TAB}");
  plan.steps.push_back(PutClipboardText{sDefaultDir});
  Wait(plan, 5000);
  Keys(plan, "^V");
  Wait(plan, 25000);
  Type(plan, kNewLine);
}

void TurboSequence(LaunchPlan& plan, const std::string& sLink) {
  Wait(plan, 50000);
  Keys(plan, "{ESC}");
  Wait(plan, 5000);
  Keys(plan, "%C");
  Wait(plan, 5000);
  Keys(plan, "Q");
  Wait(plan, 5000);
  Type(plan, sLink);
  Wait(plan, 25000);
  Type(plan, kNewLine);
}

}  // namespace

LaunchPlan PlanKeystrokeClient(FtpLink& link, const LaunchSettings& s, LaunchContext& ctx) {
  if (!ResolveLogin(link, s.PromptPass, ctx.sites, ctx.prompt)) return LaunchPlan{};
  // Ace FTP opens the file itself; the other two get its directory.
  const bool bAce = s.ClientType == kAceFtp;
  const std::string sLink = ClientLink(link, bAce);
  LaunchPlan plan;
  const std::string sParameters = s.ClientType == kCrystalFtpPro ? sLink : std::string();
  plan.steps.push_back(ShellStart{s.ClientPath, sParameters, s.DefaultDir, show::kNormal});
  switch (s.ClientType) {
    case kCrystalFtpPro: CrystalSequence(plan, sLink); break;
    case kAceFtp: AceSequence(plan, sLink, s.DefaultDir); break;
    case kTurboFtp: TurboSequence(plan, sLink); break;
    default: return LaunchPlan{};
  }
  return plan;
}

}  // namespace marlock
