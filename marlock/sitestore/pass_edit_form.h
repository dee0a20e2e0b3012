// frmPassEdit, "FTP Site Infomation": one saved site's host, port, user
// name and password. OK writes the site into sSiteSection of the site file;
// Cancel writes nothing.
#pragma once
#include <string>

#include "form.h"

namespace marlock {

// The section the editor writes into, shared with the site manager: the
// edited row's section, or empty when adding (OK then names it after the
// new site's host and port). It keeps its last value between uses.
extern std::string sSiteSection;

namespace pass_edit_ids {
enum : int {
  cmdOK = 1,
  cmdExit = 2,
  fmeFTP = 100,
  lblHost,
  txtHost,
  lblPort,
  txtPort,
  lblUser,
  txtUser,
  lblPass,
  txtPass,
};
}  // namespace pass_edit_ids

class frmPassEdit : public zarvo::forms::FormOf<frmPassEdit> {
 public:
  using Event = zarvo::forms::Event;
  using ControlSpec = zarvo::forms::ControlSpec;

  frmPassEdit();

  void Form_Load(Event&);
  void txtPort_KeyPress(Event&);
  void txtPort_LostFocus(Event&);
  void cmdOK_Click(Event&);
  void cmdExit_Click(Event&);

  static const ControlSpec kControls[];
  static const Handler kHandlers[];
  static const zarvo::forms::FormSpec kSpec;
};

}  // namespace marlock
