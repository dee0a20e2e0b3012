// Driving a client through its menus: counted waits, keys in the sequence
// notation, text typed as itself, and the clipboard.
//
// Keys go to whatever window is in front, and the counted waits say
// nothing about when the client's window appears. So before every key the
// window in front must belong to the client that this run started; until
// it does, the run waits (bounded), and if it never does, nothing more is
// typed: a login typed into a browser or a chat window would give it away.
#include <windows.h>

#include <string>
#include <vector>

#include "launcher/executor_steps.h"
#include "process.h"
#include "wide_text.h"

namespace marlock {

namespace {

constexpr DWORD kClientInFrontTimeoutMs = 30000;
constexpr DWORD kClientInFrontPollMs = 50;
constexpr const char* kClientNotInFrontText =
    "The FTP client's window did not come to the front, so Marlock stopped typing into it. "
    "Please open the link again.";

// One pass over this process's message queue.
void PumpOnce() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

bool ClientEnded(const Execution& run) {
  return !run.clientProcess || WaitForSingleObject(run.clientProcess, 0) == WAIT_OBJECT_0;
}

bool ClientInFront(const Execution& run) {
  HWND front = GetForegroundWindow();
  if (!front) return false;
  DWORD dwOwner = 0;
  GetWindowThreadProcessId(front, &dwOwner);
  return dwOwner != 0 && dwOwner == run.clientProcessId;
}

// Returns once the client's window is in front. A client that ended (or
// never started) will not come; one that is still starting gets the rest
// of the bound. Otherwise the run ends here with a message.
void EnsureClientInFront(Execution& run) {
  const DWORD dwStart = GetTickCount();
  if (!ClientEnded(run) && !run.clientWasIdle) {
    // A client that is still setting itself up may have its window in
    // front before that window takes keys.
    WaitForInputIdle(run.clientProcess, kClientInFrontTimeoutMs);
    run.clientWasIdle = true;
  }
  while (!ClientInFront(run)) {
    if (ClientEnded(run) || GetTickCount() - dwStart >= kClientInFrontTimeoutMs) {
      zarvo::ShowMessage(kClientNotInFrontText, "Marlock", MB_ICONHAND | MB_OK);
      zarvo::EndProcess();
    }
    PumpOnce();
    Sleep(kClientInFrontPollMs);
  }
}

INPUT KeyInput(WORD wVk, bool bUp) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = wVk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(wVk, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
  return input;
}

// One character as itself, whatever it means in the key notation or on
// the keyboard layout: the window gets it as a character, never as a key
// that a shortcut could react to.
INPUT CharacterInput(wchar_t ch, bool bUp) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = ch;
  input.ki.dwFlags = KEYEVENTF_UNICODE | (bUp ? KEYEVENTF_KEYUP : 0);
  return input;
}

// The inputs of one key go out in one call, checked just before: no other
// input comes between a modifier's press and its release.
void Send(std::vector<INPUT> inputs, Execution& run) {
  EnsureClientInFront(run);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// A key pressed and released while the modifiers are held; wVk 0 presses
// and releases the modifiers alone.
void PressKey(WORD wVk, const std::vector<WORD>& modifiers, Execution& run) {
  std::vector<INPUT> inputs;
  for (WORD m : modifiers) inputs.push_back(KeyInput(m, false));
  if (wVk) {
    inputs.push_back(KeyInput(wVk, false));
    inputs.push_back(KeyInput(wVk, true));
  }
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) {
    inputs.push_back(KeyInput(*it, true));
  }
  if (!inputs.empty()) Send(std::move(inputs), run);
}

// The key of a fixed character of a sequence ("F", "C", "V"...). Letters
// are their keys without Shift: held with Alt or Ctrl, Shift would make
// another shortcut of them.
WORD KeyOf(char c) {
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<WORD>(c);
  return static_cast<WORD>(LOBYTE(VkKeyScanA(c)));
}

WORD NamedKey(const std::string& sName) {
  if (sName == "ENTER") return VK_RETURN;
  if (sName == "TAB") return VK_TAB;
  if (sName == "ESC") return VK_ESCAPE;
  return 0;
}

}  // namespace

void Run(const PumpEvents& p, Execution&) {
  for (int i = 0; i < p.passes; ++i) PumpOnce();
}

void Run(const SendKeys& k, Execution& run) {
  const std::string& s = k.keys;
  size_t i = 0;
  while (i < s.size()) {
    std::vector<WORD> modifiers;
    while (i < s.size() && (s[i] == '%' || s[i] == '^')) {
      modifiers.push_back(s[i] == '%' ? VK_MENU : VK_CONTROL);
      ++i;
    }
    WORD wVk = 0;  // modifiers at the end stand alone: "%" is a press of Alt
    if (i < s.size() && s[i] == '{') {
      const size_t end = s.find('}', i);
      if (end == std::string::npos) return;
      wVk = NamedKey(s.substr(i + 1, end - i - 1));
      i = end + 1;
    } else if (i < s.size()) {
      wVk = KeyOf(s[i]);
      ++i;
    }
    PressKey(wVk, modifiers, run);
  }
}

// A line end (CR LF, or CR or LF alone) is one press of Enter, which
// confirms the client's box; the LF of a CR LF typed on its own would
// reach whatever the Enter opened.
void Run(const TypeText& t, Execution& run) {
  if (t.text.empty()) return;
  const std::wstring wide = zarvo::WideFromAnsi(t.text);
  for (size_t i = 0; i < wide.size(); ++i) {
    const wchar_t ch = wide[i];
    if (ch == L'\n' && i > 0 && wide[i - 1] == L'\r') continue;
    if (ch == L'\r' || ch == L'\n') {
      PressKey(VK_RETURN, {}, run);
    } else {
      Send({CharacterInput(ch, false), CharacterInput(ch, true)}, run);
    }
  }
}

// The clipboard needs an owner window for the text to be set; a
// message-only window will do. The text stays on the clipboard after
// Marlock ends. When the clipboard stays busy the text is not set, and the
// paste that follows brings whatever the clipboard holds.
void Run(const PutClipboardText& c, Execution&) {
  HWND owner = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  bool bOpen = false;
  for (int iTry = 0; iTry < 20 && !(bOpen = OpenClipboard(owner) != FALSE); ++iTry) Sleep(50);
  if (!bOpen) return;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, c.text.size() + 1);
  if (memory) {
    char* p = static_cast<char*>(GlobalLock(memory));
    memcpy(p, c.text.c_str(), c.text.size() + 1);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
  }
  CloseClipboard();
}

}  // namespace marlock
