#include "launcher/login_prompt.h"

#include "launcher/login_form.h"

namespace marlock {

namespace {

// Shows frmLoginFTP modally, without owner window, and hands back what the
// user did. The dialog shows nothing of the link.
class LoginPromptDialog : public LoginPrompt {
 public:
  LoginAnswer Ask(const FtpLink&) override {
    frmLoginFTP form;
    form.ShowModal();
    return form.Answer();
  }
};

}  // namespace

LoginPrompt& LoginPromptWindow() {
  static LoginPromptDialog prompt;
  return prompt;
}

}  // namespace marlock
