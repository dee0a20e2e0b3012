// frmDirBrowse, "Browse for a Direcory...": picks the default download
// directory from a drive list and a folder list. Its only interface is the
// settings dialog's box txtWSDir: it starts from that text and "&Select"
// writes the open folder back into it.
#pragma once
#include <string>
#include <vector>

#include "form.h"

namespace marlock {

namespace dir_browse_ids {
enum : int {
  cmdOK = 1,
  lblDrive = 100,
  drvDrive,
  lblDir,
  dirDir,
};
}  // namespace dir_browse_ids

class frmDirBrowse : public zarvo::forms::FormOf<frmDirBrowse> {
 public:
  using Event = zarvo::forms::Event;
  using ControlSpec = zarvo::forms::ControlSpec;

  // config: the settings dialog, whose txtWSDir the browser reads and fills.
  explicit frmDirBrowse(zarvo::forms::Form& config);

  // True while Form_Load sets the lists up; a drive change then does nothing.
  bool bLoading = false;

  // The folder the directory list has open: no trailing backslash except
  // for a drive's root ("C:\").
  const std::string& DirPath() const { return path_; }
  // The full path of each entry of the directory list, in list order.
  const std::vector<std::string>& DirEntries() const { return entries_; }

  void Form_Load(Event&);
  void drvDrive_Change(Event&);
  void dirDir_DblClick(Event&);
  void dirDir_KeyDown(Event&);
  void cmdOK_Click(Event&);

  static const ControlSpec kControls[];
  static const Handler kHandlers[];
  static const zarvo::forms::FormSpec kSpec;

 private:
  // Opens a folder in the directory list; false when it cannot be opened.
  bool OpenDirectory(const std::string& sPath);
  void FillDrives();
  int DriveIndex(char cLetter) const;
  void OpenEntry(int iIndex);

  zarvo::forms::Form& config_;
  std::string path_;
  std::vector<std::string> entries_;
  std::vector<char> driveLetters_;
};

namespace dir_browse {
// The parts of the folder list's logic that need no window, for tests.
// A folder path in the list's form: drive letter upper-case, no trailing
// backslash except for a root; empty when sPath is not a path on a drive.
std::string NormalizeFolder(const std::string& sPath);
// "C:\a\b" -> {"C:\", "C:\a", "C:\a\b"}.
std::vector<std::string> FolderChain(const std::string& sFolder);
}  // namespace dir_browse

}  // namespace marlock
