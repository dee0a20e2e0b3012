// libFuzzer target for Marlock's portable core: any bytes as a link, as a
// password and as the settings a launch reads. Every input must end, without
// a crash, a sanitizer report, or a broken promise of the functions below.
#include <cstddef>
#include <cstdint>
#include <string>

#include "launcher/ftp_link.h"
#include "launcher/plan_launch.h"
#include "sitestore/memory_profile_store.h"
#include "sitestore/scramble.h"
#include "sitestore/site_file.h"

namespace {

void Check(bool bOk) {
  if (!bOk) __builtin_trap();
}

class AnswerOnce : public marlock::LoginPrompt {
 public:
  explicit AnswerOnce(marlock::LoginAnswer a) : answer_(std::move(a)) {}
  marlock::LoginAnswer Ask(const marlock::FtpLink&) override { return answer_; }

 private:
  marlock::LoginAnswer answer_;
};

void FuzzLink(const std::string& text) {
  marlock::FtpLink link;
  link.Url = text;
  if (!marlock::ParseFtpLink(link)) {
    Check(!marlock::HasSiteToScan(text));
    Check(link.Url == text);
    return;
  }
  Check(link.Url == text || link.Url == text + "/");
  Check(!link.RemoteDir.empty() && link.RemoteDir[0] == '/');
  Check(link.Host.find('/') == std::string::npos);
  Check(link.FileName.find('/') == std::string::npos);
  marlock::ClientLink(link, true);
  marlock::ClientLink(link, false);
  marlock::FtpLink rebuilt = link;
  marlock::BuildLoginUrl(rebuilt);
  Check(link.UserName.empty() ? rebuilt.Url == link.Url : rebuilt.Url.rfind("ftp://", 0) == 0);
}

void FuzzPassword(const std::string& text) {
  const std::string exact = marlock::ScrambleExact(text);
  Check(marlock::ScrambleExact(exact) == text);
  const std::string stored = marlock::ScramblePassword(text, true);
  Check(stored.size() == text.size());
  Check(marlock::ScramblePassword(stored, false).size() == text.size());

  marlock::MemoryProfileStore sites;
  marlock::SaveSite(sites, "h", "21", "u", text);
  Check(marlock::ReadSavedPassword(sites, "h_21") == text);
  std::string bytes;
  Check(marlock::BytesOfHex(marlock::HexOf(text), bytes) && bytes == text);
}

// The whole decision for the link, with settings and a prompt answer
// chosen by the first bytes.
void FuzzPlan(const uint8_t* data, size_t size) {
  if (size < 3) return;
  marlock::MemoryProfileStore settings, sites;
  settings.Set("Main", "FTPType", std::to_string(static_cast<int>(data[0] % 14) - 1));
  settings.Set("Main", "EXEName", "C:\\client.exe");
  settings.Set("Main", "PromptPass", (data[1] & 1) ? "1" : "0");
  settings.Set("Main", "OpenMini", (data[1] & 2) ? "1" : "0");
  settings.Set("Main", "UseIE", (data[1] & 4) ? "1" : "0");
  settings.Set("Main", "UseDownManager", (data[1] & 8) ? "1" : "0");
  settings.Set("FlashFXP2", "OnFinish", std::to_string(data[1] >> 4));
  marlock::LoginAnswer answer;
  answer.outcome = static_cast<marlock::LoginAnswer::Outcome>(data[2] % 4);
  answer.userName = "u";
  answer.password = "p";
  answer.remember = (data[2] & 4) != 0;
  AnswerOnce prompt(answer);
  marlock::LaunchContext ctx{settings,
                             sites,
                             prompt,
                             "C:\\Marlock",
                             [](const std::string& p) { return p == "C:\\client.exe"; },
                             [] { return std::string("C:\\Temp"); },
                             [] { return std::string("C:\\Program Files"); },
                             [] { return uint32_t{43200}; },
                             {}};
  const std::string link(reinterpret_cast<const char*>(data + 3), size - 3);
  marlock::LaunchPlan plan = marlock::PlanLaunch(link, ctx);
  // At most one program is started, and nothing follows a message.
  size_t starts = 0;
  for (size_t i = 0; i < plan.steps.size(); ++i) {
    const marlock::LaunchStep& step = plan.steps[i];
    if (std::holds_alternative<marlock::ShellStart>(step) ||
        std::holds_alternative<marlock::ProcessStart>(step) ||
        std::holds_alternative<marlock::OpenSettings>(step)) {
      ++starts;
    }
    if (std::holds_alternative<marlock::Message>(step)) Check(plan.steps.size() == 1);
  }
  Check(starts <= 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  FuzzLink(text);
  FuzzPassword(text);
  FuzzPlan(data, size);
  return 0;
}
