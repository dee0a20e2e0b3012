#include "launcher/login.h"

#include "sitestore/site_file.h"

namespace marlock {

void ApplyEnteredLogin(FtpLink& link, const LoginAnswer& answer, ProfileStore& sites) {
  link.UserName = answer.userName;
  link.Password = answer.password;
  if (link.Port.empty()) link.Port = "21";
  if (answer.remember) SaveSite(sites, link.Host, link.Port, link.UserName, link.Password);
}

bool ResolveLogin(FtpLink& link, bool bPromptPass, ProfileStore& sites, LoginPrompt& prompt) {
  LookupSavedLogin(link, sites);
  if (!bPromptPass || !link.UserName.empty()) return true;

  const LoginAnswer answer = prompt.Ask(link);
  switch (answer.outcome) {
    case LoginAnswer::Outcome::Entered:
      ApplyEnteredLogin(link, answer, sites);
      return true;
    case LoginAnswer::Outcome::Anonymous:
      link.UserName.clear();
      link.Password.clear();
      return true;
    case LoginAnswer::Outcome::Cancelled:
      return false;
    case LoginAnswer::Outcome::Closed:
      return true;
  }
  return true;
}

}  // namespace marlock
