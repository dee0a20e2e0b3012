#include "launcher/login_prompt.h"

namespace marlock {

namespace {

// Stands in for frmLoginFTP until the window is built: it answers as a
// prompt closed without OK or Cancel, so the link goes on without login.
// The window replaces this class and keeps the interface.
class PendingLoginPrompt : public LoginPrompt {
 public:
  LoginAnswer Ask(const FtpLink&) override { return LoginAnswer{}; }
};

}  // namespace

LoginPrompt& LoginPromptWindow() {
  static PendingLoginPrompt prompt;
  return prompt;
}

}  // namespace marlock
