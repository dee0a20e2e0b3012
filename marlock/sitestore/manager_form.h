// frmManager, "FTP Manager": the saved sites of the site file in two linked
// lists (hosts and ports, in file order), with Add, Edit and Remove.
#pragma once
#include <string>
#include <vector>

#include "form.h"

namespace marlock {

namespace manager_ids {
enum : int {
  cmdOK = 1,
  fmeFTPList = 100,
  txtAddress,
  txtPort,
  lstFTP,
  lstPort,
  cmdAdd,
  cmdEdit,
  cmdRemove,
};
}  // namespace manager_ids

class frmManager : public zarvo::forms::FormOf<frmManager> {
 public:
  using Event = zarvo::forms::Event;
  using ControlSpec = zarvo::forms::ControlSpec;

  frmManager();

  // The section each row of the lists was read from.
  const std::vector<std::string>& RowSections() const { return rowSections_; }

  void Form_Load(Event&);
  void lstFTP_Click(Event&);
  void lstPort_Click(Event&);
  void lst_DblClick(Event&);
  void cmdAdd_Click(Event&);
  void cmdEdit_Click(Event&);
  void cmdRemove_Click(Event&);
  void cmdOK_Click(Event&);

  static const ControlSpec kControls[];
  static const Handler kHandlers[];
  static const zarvo::forms::FormSpec kSpec;

 private:
  void RefreshSiteList();
  std::vector<std::string> rowSections_;
};

// The section names of an INI text in file order, as the manager finds them:
// the text is read in fields that end at a line end or a comma, and a field
// that begins with "[" is a header (without its first and last character).
std::vector<std::string> SectionHeaders(const std::string& sText);

// Opens the site manager modally; returns when it closes.
void ShowSiteManager();

}  // namespace marlock
