// frmLoginFTP, "Login into FTP Site": asks for a user name and a password
// for a link that carries none, or lets the user go on anonymously. It only
// asks and checks that both boxes are filled; what the answer does to the
// link (and to the saved-site file) is ResolveLogin's business.
#pragma once
#include "form.h"
#include "launcher/login.h"

namespace marlock {

namespace login_ids {
enum : int {
  cmdOK = 1,
  cmdCancel = 2,
  lblUser = 100,
  txtUser,
  lblPass,
  txtPass,
  chkNoUser,
  chkSave,
  picLogin,
};
}  // namespace login_ids

class frmLoginFTP : public zarvo::forms::FormOf<frmLoginFTP> {
 public:
  using Event = zarvo::forms::Event;
  using ControlSpec = zarvo::forms::ControlSpec;

  frmLoginFTP();
  ~frmLoginFTP() override;

  void chkNoUser_Click(Event&);
  void cmdOK_Click(Event&);
  void cmdCancel_Click(Event&);
  void picLogin_Paint(Event&);

  // What the user did; Closed until OK or Cancel says otherwise.
  const LoginAnswer& Answer() const { return answer_; }

  static const ControlSpec kControls[];
  static const Handler kHandlers[];
  static const zarvo::forms::FormSpec kSpec;

 private:
  LoginAnswer answer_;
  HICON picture_ = nullptr;
};

}  // namespace marlock
