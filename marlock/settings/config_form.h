// frmConfig, Marlock's settings window "Marlock Config": the client program,
// its executable, the download directory, the general options and the
// options of the chosen client. Every way out of it ends the process.
#pragma once
#include <string>

#include "form.h"

namespace marlock {

// Control IDs, stable for the UI driver.
namespace config_ids {
enum : int {
  cmdOK = 1,
  cmdCancel = 2,
  fmeBasic = 100,
  lblFTPType,
  cmbPrgType,
  lblLocation,
  txtLocation,
  cmdBrowse,
  chkPrompt,
  chkMini,
  lblWSDir,
  txtWSDir,
  cmdWSDirBrowse,
  chkUseIE,
  chkDownFile,
  cmdFTPManager,
  // The options area: one frame per client, in client order, then fmeIE.
  fmeFlashFXP2 = 200,
  fmeCute,
  fmeCutePro,
  fmeWSFTP,
  fmeLeap,
  fmeVoyager,
  fmeBullet,
  fmeCrystal,
  fmeACE,
  fmeSmart,
  fmeFZilla,
  fmeTurboFTP,
  fmeIE,
  optFFTray = 300,
  lblFFClose,
  cmbFFClose,
  chkCURename,
  lblCURetry,
  txtCURetry,
  chkWSQuiet,
  chkLeapQuit,
  chkVoyagerQuit,
  chkBulletQuit,
  lblNothingCutePro,
  lblNothingCrystal,
  lblNothingACE,
  lblNothingSmart,
  lblNothingFZilla,
  lblNothingTurboFTP,
  lblNothingIE,
  lblEMail = 400,
  lblVer,
};
}  // namespace config_ids

// The contact address behind lblEMail.
inline constexpr const char* kContactAddress = "marlock@example.org";
// Title of the dialog's messages.
inline constexpr const char* kMessageTitle = "Marlock";
// Shown when something unexpected fails while the user picks a file or drive.
inline constexpr const char* kUnexpectedError =
    "These is some error happened (so bad),\r\nPlease contract the developer.";

class frmConfig : public zarvo::forms::FormOf<frmConfig> {
 public:
  using Event = zarvo::forms::Event;
  using ControlSpec = zarvo::forms::ControlSpec;

  frmConfig();

  // True while Form_Load fills the controls; selection reactions wait.
  bool bLoading = false;

  // Loads a client's options from its section, sets what chkMini and
  // chkDownFile offer for it and brings its frame to the front.
  void ShowClientOptions(int iIndex);

  // The name of the client frame in front of the options area (fmeIE lies
  // over it while Internet Explorer is chosen).
  std::string FrontClientFrame() const;

  void Form_Load(Event&);
  void Form_Unload(Event&);
  void cmbPrgType_Click(Event&);
  void chkUseIE_Click(Event&);
  void cmdBrowse_Click(Event&);
  void cmdWSDirBrowse_Click(Event&);
  void cmdFTPManager_Click(Event&);
  void cmdOK_Click(Event&);
  void cmdCancel_Click(Event&);
  void lblEMail_Click(Event&);
  void txtCURetry_KeyPress(Event&);
  void txtCURetry_Change(Event&);

  static const ControlSpec kControls[];
  static const size_t kControlCount;
  static const Handler kHandlers[];
  static const zarvo::forms::FormSpec kSpec;

 private:
  void BringClientFrameToFront(int iIndex);
  void EnableClientControls(bool bEnabled);
  void PutInFront(const char* sFrame);
  int frontClient_ = 0;
};

// The one settings window of the process.
frmConfig& ConfigForm();

}  // namespace marlock
