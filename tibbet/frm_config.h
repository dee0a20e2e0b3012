// The clock's settings dialog: font, remembered place, on-top start, and
// whether Zarvo closes the clock with itself.
#pragma once
#include <string>

#include "clock_files.h"
#include "form.h"

namespace tibbet {

// The caption by which a second "-setup" finds an open dialog.
inline constexpr const char* kSetupCaption = "Tibbet Setup";
// Shown by lblEMail and opened when it is clicked.
inline constexpr const char* kContactAddress = "tibbet@example.org";

class frmConfig : public zarvo::forms::FormOf<frmConfig> {
 public:
  using ControlSpec = zarvo::forms::ControlSpec;
  using Event = zarvo::forms::Event;

  explicit frmConfig(std::string sClockIni = ClockIniPath(),
                     std::string sPluginIni = PluginIniPath());

  static const zarvo::forms::FormSpec kSpec;
  static const ControlSpec kControls[];
  static const size_t kControlCount;
  static const Handler kHandlers[];
  enum : int {
    kCmdOK = 1,
    kCmdCancel = 2,
    kFmeOptions = 10,
    kLblFontName,
    kCmbFont,
    kChkClose,
    kChkSavePos,
    kChkOnTop,
    kLblNote,
    kLblEMail,
    kLblVer,
  };

  void Form_Load(Event& e);
  void Form_Unload(Event& e);
  void cmdOK_Click(Event& e);
  void cmdCancel_Click(Event& e);
  void lblEMail_Click(Event& e);

 private:
  std::string clockIni_;
  std::string pluginIni_;
};

// "Version:" and the program's major, minor and revision numbers, then a
// blank and the Greek small letter alpha.
std::wstring VersionLabelText();

}  // namespace tibbet
