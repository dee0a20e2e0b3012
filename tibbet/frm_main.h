// The clock window: the time in a small tool window, the date as its tool
// tip, a right-click pop-up to keep it on top or close it, and its place
// remembered in Clock.ini.
#pragma once
#include <string>

#include "clock_files.h"
#include "form.h"

namespace tibbet {

// The caption by which "-close" finds a running clock.
inline constexpr const char* kClockCaption = "Zarvo Clock";

class frmMain : public zarvo::forms::FormOf<frmMain> {
 public:
  using ControlSpec = zarvo::forms::ControlSpec;
  using Event = zarvo::forms::Event;

  explicit frmMain(std::string sClockIni = ClockIniPath());
  ~frmMain() override;

  static const zarvo::forms::FormSpec kSpec;
  static const ControlSpec kControls[];
  static const Handler kHandlers[];
  enum : int {
    kLblClock = 1,   // control
    kCounter = 1,    // timer
    kMnuOnTop = 101, // pop-up items
    kMnuClose = 102,
  };
  // Where the clock opens when it does not restore its place (outer edges).
  static constexpr int kDesignLeftTwips = 10245;
  static constexpr int kDesignTopTwips = 0;

  void Form_Load(Event& e);
  void Form_Unload(Event& e);
  void Counter_Timer(Event& e);
  void lblClock_MouseDown(Event& e);
  void mnuOntop_Click(Event& e);
  void mnuClose_Click(Event& e);

  HMENU MenuMain() const { return mnuMain_; }
  bool OnTopChecked() const;

 protected:
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

 private:
  void SavePosition();
  void MoveToTwips(int iLeft, int iTop);
  void SetOnTop(bool bOnTop);

  std::string clockIni_;
  HMENU mnuMain_ = nullptr;  // "menu": shown only as the pop-up
  std::string shownTime_;
  std::string shownDate_;
};

// The current local time and date as the user's regional settings write
// them (time with seconds, short date).
std::string CurrentTimeText();
std::string CurrentDateText();

}  // namespace tibbet
