// Settling the user name and password of a link: from the link, from the
// saved-site file, or from the user through the login prompt.
#pragma once
#include <string>

#include "launcher/ftp_link.h"
#include "sitestore/profile_store.h"

namespace marlock {

// What the user did in the login prompt.
struct LoginAnswer {
  enum class Outcome {
    Entered,    // OK with a user name and a password
    Anonymous,  // OK with "Anonymous login" ticked
    Cancelled,  // Cancel: the launch is abandoned
    Closed,     // closed any other way: the link goes on as it is
  };
  Outcome outcome = Outcome::Closed;
  std::string userName;
  std::string password;
  bool remember = false;  // "Remember it and don't disturb me again."
};

// The login prompt, shown modally when a link carries no login, none is
// saved and the user asked to be prompted. It only asks (and checks that
// both fields are filled); ResolveLogin applies the answer. Tests answer
// it without a window.
class LoginPrompt {
 public:
  virtual ~LoginPrompt() = default;
  virtual LoginAnswer Ask(const FtpLink& link) = 0;
};

// An entered login: user name and password as typed, the port "21" when
// the link had none, and the site saved under that port when asked.
void ApplyEnteredLogin(FtpLink& link, const LoginAnswer& answer, ProfileStore& sites);

// The saved-site lookup, then, with bPromptPass and still no user name, the
// prompt. Returns false when the user cancelled: the launch ends there.
bool ResolveLogin(FtpLink& link, bool bPromptPass, ProfileStore& sites, LoginPrompt& prompt);

}  // namespace marlock
