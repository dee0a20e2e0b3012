// The Zarvo host simulator: does with Quennel what Zarvo does with it.
// Registers the library with the system's regsvr32, creates TNG objects
// through COM by CLSID or ProgID, hands each a browser (a substitute page),
// calls Start, delivers key-down messages with the keyboard state set as a
// user's keyboard would leave it, lets the idle timer fire by pumping
// messages, and closes each window with Stop, SetSite(null) and Release.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <shobjidl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "host_plugin.h"

namespace zarvo_host {

// The CLSID and ProgID of Quennel's class.
extern const CLSID kClsidTng;
extern const char kProgIdTng[];  // "Quennel.TNG"

// The system's regsvr32.exe.
std::string Regsvr32Exe();
// Runs "regsvr32 /s [/u] <dll>" and waits; its exit code, or -1 when it
// could not be started.
int RunRegsvr32(const std::string& sDllPath, bool bUnregister);
// The file registered as the class's InprocServer32 ("" when none).
std::string RegisteredServer();
// Registers sDllPath unless it already is the registered server.
bool EnsureRegistered(const std::string& sDllPath);

// Modifier keys held down with a key.
enum Modifiers : unsigned { kNoModifier = 0, kShift = 1, kCtrl = 2, kAlt = 4 };

// Pumps this thread's messages for the time given (timers fire meanwhile).
void PumpMessages(DWORD dwMs);
// Pumps until the condition holds or the time is up; whether it held.
bool PumpUntil(const std::function<bool()>& fnDone, DWORD dwTimeoutMs);

// One browser window of Zarvo and the TNG object attached to it.
class BrowserWindow {
 public:
  BrowserWindow();
  ~BrowserWindow();  // closes the window as Zarvo does, if still open
  BrowserWindow(const BrowserWindow&) = delete;
  BrowserWindow& operator=(const BrowserWindow&) = delete;

  // Creates the object through COM.
  HRESULT CreateByClsid(const CLSID& clsid = kClsidTng);
  HRESULT CreateByProgId(const char* sProgId = kProgIdTng);
  // Takes an object made otherwise (one reference is handed over).
  HRESULT Adopt(IUnknown* pObject);

  void SetSite(IUnknown* pBrowser);
  int32_t Start();
  int32_t Stop();
  int32_t Configure();

  // A key-down message of the virtual key with the modifiers held, through
  // TranslateAcceleratorIO as Zarvo passes it; a key not used up goes on to
  // the browser window (TranslateMessage and the window procedure), which
  // writes it down in PassedKeys().
  HRESULT Key(UINT uVirtualKey, unsigned uModifiers = kNoModifier);
  // Whether keys not used up go on to the browser window (the default).
  // A soak that only exercises the object turns this off.
  void SetPassKeysOn(bool bPass) { passKeysOn_ = bPass; }

  // Types each character of sText with the key (and Shift) that makes it
  // in the current keyboard layout; the result of each key.
  std::vector<HRESULT> Type(const std::string& sText);

  // Stop, SetSite(null) and the last Release, in Zarvo's order.
  void Close();
  // Only the releases, as a host that forgets Stop and SetSite(null) would.
  void ReleaseWithoutStop() { Detach(); }

  IUnknown* Object() const { return object_; }
  IHostPlugin* Plugin() const { return plugin_; }
  HWND Window() const { return window_; }
  // What reached the browser window: "key 0x41", "char 'a'".
  const std::vector<std::string>& PassedKeys() const { return passed_; }
  void ClearPassedKeys() { passed_.clear(); }

 private:
  HRESULT Attach(IUnknown* pObject);
  void Detach();
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  IUnknown* object_ = nullptr;
  IObjectWithSite* withSite_ = nullptr;
  IInputObject* input_ = nullptr;
  IHostPlugin* plugin_ = nullptr;
  std::vector<std::string> passed_;
  bool passKeysOn_ = true;
};

// The hidden message windows of Quennel's objects on this thread (their
// class names begin "QuennelTNG:").
std::vector<HWND> MessageWindowsOfThread();

// The keyboard state a user's keyboard leaves while the key is held with
// the modifiers (every other key up).
void SetKeyboardFor(UINT uVirtualKey, unsigned uModifiers);
// Every key up again.
void ReleaseAllKeys();
// A WM_KEYDOWN message for the key, as the system would post it.
MSG KeyDownMessage(HWND hwnd, UINT uVirtualKey);

}  // namespace zarvo_host
